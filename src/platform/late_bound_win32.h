#pragma once
// Calls into the DLLs that only a fact, a report or printing needs (iphlpapi, ole32,
// oleaut32, shell32, winspool), found at their first use: the main window shows
// without loading them. Under Wine loading winspool alone asks CUPS for its printers.

#include <windows.h>

// Every later load by name in the process, the system's own DLLs' included, from the
// system folder where the loader allows it (platform/system_dll.h). First thing at start.
void narrowProcessDllSearch();

// `name` of the system's `dll`, which loads now from the system folder if it has not
// yet (platform/system_dll.h); null when either is missing.
FARPROC lateBoundProc(const wchar_t* dll, const char* name);

// For the type of the declared function: lateBound<decltype(GetAdaptersInfo)>(...).
template <typename Function>
Function* lateBound(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(lateBoundProc(dll, name)));
}
