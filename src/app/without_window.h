#pragma once
// Kavrona asked on its command line for something other than its window: the
// complete report or the JSON record appended to a file, or how to ask. No window is
// made and no box shown; what a box would have said goes to the console, on one line.

#include "app/command_line.h"
#include "platform/console.h"
#include "platform/platform.h"

// The exit code (ExitCode) of `line`, which does not ask for the window. The boxes of
// `os` are never shown. The JSON record asked for with "-" goes to `console`. Any
// exception ends it with kExitNotSaved and one line on the error stream.
int runWithoutWindow(const CommandLine& line, const Platform& os, Console& console) noexcept;
