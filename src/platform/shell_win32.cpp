#include <windows.h>

#include <shellapi.h>

#include "platform/shell.h"

int32_t Win32Shell::open(const std::string& ansiLink) {
    // The owner is the constant 1, not a window of the program.
    HINSTANCE result =
        ShellExecuteA(reinterpret_cast<HWND>(1), "", ansiLink.c_str(), "", "", SW_SHOWNORMAL);
    return static_cast<int32_t>(reinterpret_cast<INT_PTR>(result));
}
