#include "platform/dll_loader_win32.h"

#include <windows.h>

namespace {

DllLoader::Loaded loaded(HMODULE module) {
    return {module, module ? 0 : static_cast<uint32_t>(GetLastError())};
}

}  // namespace

bool Win32DllLoader::knowsSearchFlags() {
    return GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "AddDllDirectory") != nullptr;
}

DllLoader::Loaded Win32DllLoader::loadFromSystemFolder(const std::wstring& dll) {
    return loaded(LoadLibraryExW(dll.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

std::wstring Win32DllLoader::systemFolder() {
    std::wstring folder(MAX_PATH, L'\0');
    UINT n = GetSystemDirectoryW(folder.data(), MAX_PATH);
    if (n >= MAX_PATH) {  // too small: n is the size it needs
        folder.resize(n);
        n = GetSystemDirectoryW(folder.data(), n);
    }
    folder.resize(n < folder.size() ? n : 0);
    return folder;
}

DllLoader::Loaded Win32DllLoader::loadByPath(const std::wstring& path) {
    // The DLLs it needs in turn are looked for beside it, in the system folder, first;
    // then where the process's search goes (narrowDllSearch).
    return loaded(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

bool Win32DllLoader::searchSystemFolderOnlyFromNowOn() {
    using SetDefault = BOOL WINAPI(DWORD);
    auto* setDefault = reinterpret_cast<SetDefault*>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    return setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

bool Win32DllLoader::leaveOutCurrentFolderFromNowOn() {
    return SetDllDirectoryW(L"") != FALSE;
}
