#include <windows.h>

#include <shellapi.h>

#include "platform/code_page_win32.h"
#include "platform/late_bound_win32.h"
#include "platform/shell.h"

int32_t Win32Shell::open(const std::string& link) {
    static const auto shellExecute =
        lateBound<decltype(ShellExecuteA)>(L"shell32.dll", "ShellExecuteA");
    if (!shellExecute) return SE_ERR_DLLNOTFOUND;
    // The owner is the constant 1, not a window of the program.
    HINSTANCE result = shellExecute(reinterpret_cast<HWND>(1), "", toAnsi(link).bytes.c_str(), "",
                                    "", SW_SHOWNORMAL);
    return static_cast<int32_t>(reinterpret_cast<INT_PTR>(result));
}
