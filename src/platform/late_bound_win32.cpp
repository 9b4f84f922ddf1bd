#include "platform/late_bound_win32.h"

#include "platform/dll_loader_win32.h"

void narrowProcessDllSearch() {
    narrowDllSearch(loaderOfProcess());
}

FARPROC lateBoundProc(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    if (!module) module = static_cast<HMODULE>(loadSystemDll(loaderOfProcess(), dll));
    return module ? GetProcAddress(module, name) : nullptr;
}
