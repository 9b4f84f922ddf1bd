#include "platform/error_mode_win32.h"

#include <windows.h>

void turnOffErrorBoxes() {
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX |
                 SEM_NOOPENFILEERRORBOX);
}
