#pragma once
// Windows' own error boxes, which nobody answers in a run that nobody watches.

// Off for the whole process: the "no disk" and "cannot open" boxes (a card reader
// without media would stop a scheduled run at its drive) and the box of a program that
// crashed, which would keep the process, and the task's next runs, waiting for ever.
// First thing at start, before anything looks at a drive.
void turnOffErrorBoxes();
