#include "platform/system_dll.h"

void* loadSystemDll(DllLoader& loader, const std::wstring& dll) {
    if (loader.knowsSearchFlags()) {
        DllLoader::Loaded loaded = loader.loadFromSystemFolder(dll);
        // A missing DLL stays missing: only a refused flag means another way.
        if (loaded.module || loaded.error != kSearchFlagsRefused) return loaded.module;
    }
    // Without the flags only a full path keeps the search away from the program's folder;
    // a bare name would find a DLL of that name there first.
    std::wstring path = loader.systemFolder();
    if (path.empty()) return nullptr;
    if (path.back() != L'\\') path += L'\\';
    path += dll;
    if (path.size() > kLongestDllPath) return nullptr;
    return loader.loadByPath(path).module;
}

void narrowDllSearch(DllLoader& loader) {
    if (loader.knowsSearchFlags() && loader.searchSystemFolderOnlyFromNowOn()) return;
    loader.leaveOutCurrentFolderFromNowOn();
}
