#include "platform/late_bound_win32.h"

FARPROC lateBoundProc(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    // Only from the system folder: never a DLL of that name beside the program.
    if (!module) module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? GetProcAddress(module, name) : nullptr;
}
