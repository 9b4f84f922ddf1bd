#include "platform/late_bound_win32.h"

#include <string>

#include "platform/system_dll.h"

namespace {

// A test switch: KAVRONA_OLD_LOADER makes this loader answer as an older one would,
// so that the way round it runs under Wine, which knows the search flags whatever
// Windows it plays. "without-update": Vista to 7 without KB2533623, no AddDllDirectory
// and the flags refused; "flags-refused": AddDllDirectory there, the flags refused still.
enum class OldLoader { None, WithoutUpdate, FlagsRefused };

OldLoader oldLoader() {
    wchar_t value[32];
    DWORD n = GetEnvironmentVariableW(L"KAVRONA_OLD_LOADER", value, ARRAYSIZE(value));
    std::wstring_view name(value, n < ARRAYSIZE(value) ? n : 0);
    if (name == L"without-update") return OldLoader::WithoutUpdate;
    if (name == L"flags-refused") return OldLoader::FlagsRefused;
    return OldLoader::None;
}

DllLoader::Loaded loaded(HMODULE module) {
    return {module, module ? 0 : static_cast<uint32_t>(GetLastError())};
}

class Win32DllLoader : public DllLoader {
  public:
    bool knowsSearchFlags() override {
        if (old_ == OldLoader::WithoutUpdate) return false;
        return GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "AddDllDirectory") != nullptr;
    }
    Loaded loadFromSystemFolder(const std::wstring& dll) override {
        if (old_ != OldLoader::None) return {nullptr, kSearchFlagsRefused};
        return loaded(LoadLibraryExW(dll.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    }
    std::wstring systemFolder() override {
        std::wstring folder(MAX_PATH, L'\0');
        UINT n = GetSystemDirectoryW(folder.data(), MAX_PATH);
        if (n >= MAX_PATH) {  // too small: n is the size it needs
            folder.resize(n);
            n = GetSystemDirectoryW(folder.data(), n);
        }
        folder.resize(n < folder.size() ? n : 0);
        return folder;
    }
    Loaded loadByPath(const std::wstring& path) override {
        // The DLLs it needs in turn are looked for beside it, in the system folder, first;
        // then where the process's search goes (narrowDllSearch).
        return loaded(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    }
    bool searchSystemFolderOnlyFromNowOn() override {
        // A loader that refuses the flag for one load refuses it for the process too.
        if (old_ != OldLoader::None) return false;
        using SetDefault = BOOL WINAPI(DWORD);
        auto* setDefault = reinterpret_cast<SetDefault*>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
        return setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    bool leaveOutCurrentFolderFromNowOn() override { return SetDllDirectoryW(L"") != FALSE; }

  private:
    OldLoader old_ = oldLoader();
};

}  // namespace

void narrowProcessDllSearch() {
    Win32DllLoader loader;
    narrowDllSearch(loader);
}

FARPROC lateBoundProc(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    if (!module) {
        Win32DllLoader loader;
        module = static_cast<HMODULE>(loadSystemDll(loader, dll));
    }
    return module ? GetProcAddress(module, name) : nullptr;
}
