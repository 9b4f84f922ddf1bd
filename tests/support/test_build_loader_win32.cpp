// The loader of the program's test build (Kavrona-test.exe), which only the tests run.
// Under Wine, which knows the search flags whatever Windows it plays,
// KAVRONA_OLD_LOADER makes it answer as an older loader, so that the way round runs:
// "without-update" (Vista to 7 without KB2533623: no AddDllDirectory, the flags
// refused) or "flags-refused" (AddDllDirectory there, the flags refused still).
// KAVRONA_LOADS_THROW makes every DLL's first use throw, as an error of the program's
// own in the middle of a run: "bad_alloc", "runtime_error" or "int".

#include <windows.h>

#include <new>
#include <stdexcept>
#include <string>

#include "platform/dll_loader_win32.h"

namespace {

std::wstring variable(const wchar_t* name) {
    wchar_t value[32];
    DWORD n = GetEnvironmentVariableW(name, value, ARRAYSIZE(value));
    return std::wstring(value, n < ARRAYSIZE(value) ? n : 0);
}

class TestBuildLoader : public Win32DllLoader {
  public:
    bool knowsSearchFlags() override {
        return old_ != L"without-update" && Win32DllLoader::knowsSearchFlags();
    }
    Loaded loadFromSystemFolder(const std::wstring& dll) override {
        throwAsAsked();
        if (old()) return {nullptr, kSearchFlagsRefused};
        return Win32DllLoader::loadFromSystemFolder(dll);
    }
    Loaded loadByPath(const std::wstring& path) override {
        throwAsAsked();
        return Win32DllLoader::loadByPath(path);
    }
    bool searchSystemFolderOnlyFromNowOn() override {
        // A loader that refuses the flags for one load refuses them for the process too.
        return !old() && Win32DllLoader::searchSystemFolderOnlyFromNowOn();
    }

  private:
    bool old() const { return old_ == L"without-update" || old_ == L"flags-refused"; }
    void throwAsAsked() const {
        if (throws_ == L"bad_alloc") throw std::bad_alloc();
        if (throws_ == L"runtime_error") throw std::runtime_error("the loader\r\nthrew");
        if (throws_ == L"int") throw 7;
    }
    const std::wstring old_ = variable(L"KAVRONA_OLD_LOADER");
    const std::wstring throws_ = variable(L"KAVRONA_LOADS_THROW");
};

}  // namespace

DllLoader& loaderOfProcess() {
    static TestBuildLoader loader;
    return loader;
}
