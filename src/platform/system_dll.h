#pragma once
// Where DLLs come from. The program's own first uses: the system folder, on every
// loader from Vista on, and never a DLL of the same name beside the program or in the
// current folder. What the system's DLLs load later by name (delay-loads, print
// drivers, WMI providers): the system folder too, where the loader can be told so for
// the whole process; an older loader can only be told to leave out the current folder.
// The loader's calls are behind `DllLoader`, so that the choice is tested natively
// against every answer a loader gives.

#include <cstdint>
#include <string>

struct DllLoader {
    struct Loaded {
        void* module = nullptr;
        uint32_t error = 0;  // the loader's error code when `module` is null
    };

    virtual ~DllLoader() = default;
    // kernel32 has AddDllDirectory: the loader knows the LOAD_LIBRARY_SEARCH_* flags
    // (Windows 8 on, and Vista to 7 with update KB2533623).
    virtual bool knowsSearchFlags() = 0;
    // `dll` by name, searched for in the system folder only (LOAD_LIBRARY_SEARCH_SYSTEM32).
    virtual Loaded loadFromSystemFolder(const std::wstring& dll) = 0;
    // The system folder's full path, without a final backslash unless it is a root;
    // empty when the system does not say.
    virtual std::wstring systemFolder() = 0;
    // The DLL at this full path.
    virtual Loaded loadByPath(const std::wstring& path) = 0;
    // Every later load by name in the process searches the system folder only
    // (SetDefaultDllDirectories with LOAD_LIBRARY_SEARCH_SYSTEM32); false when refused.
    virtual bool searchSystemFolderOnlyFromNowOn() = 0;
    // Later loads by name leave out the current folder (SetDllDirectoryW(L"")); false
    // when refused.
    virtual bool leaveOutCurrentFolderFromNowOn() = 0;
};

// ERROR_INVALID_PARAMETER: how a loader without the update refuses the search flags.
inline constexpr uint32_t kSearchFlagsRefused = 87;
// MAX_PATH: a longer path is refused by loaders without long-path support.
inline constexpr size_t kLongestDllPath = 259;

// `dll` (a file name such as L"iphlpapi.dll") from the system folder; null when it
// cannot be loaded from there.
void* loadSystemDll(DllLoader& loader, const std::wstring& dll);

// Narrows every later load by name in the process, the system's own DLLs' too: to the
// system folder where the loader knows how; otherwise without the current folder, the
// most an older loader allows (the program's folder stays first there). Before
// anything loads a DLL by name.
void narrowDllSearch(DllLoader& loader);
