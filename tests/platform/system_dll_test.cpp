// Where a DLL of the system is loaded from, on each kind of loader.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/system_dll.h"

namespace {

constexpr uint32_t kModNotFound = 126;  // ERROR_MOD_NOT_FOUND

// A loader whose answers the test scripts; it records every load it is asked for.
struct FakeLoader : DllLoader {
    bool searchFlags = true;
    bool flagsRefused = false;
    std::wstring folder = L"C:\\Windows\\system32";
    std::map<std::wstring, int> onDisk;  // full path -> module, as the system folder holds
    std::vector<std::wstring> asked;     // "flag:<name>" or "path:<full path>", in order

    bool knowsSearchFlags() override { return searchFlags; }
    Loaded loadFromSystemFolder(const std::wstring& dll) override {
        asked.push_back(L"flag:" + dll);
        if (flagsRefused) return {nullptr, kSearchFlagsRefused};
        return found(folder + L"\\" + dll);
    }
    std::wstring systemFolder() override { return folder; }
    Loaded loadByPath(const std::wstring& path) override {
        asked.push_back(L"path:" + path);
        return found(path);
    }
    bool searchSystemFolderOnlyFromNowOn() override {
        asked.push_back(L"process:system folder only");
        return !flagsRefused;
    }
    bool leaveOutCurrentFolderFromNowOn() override {
        asked.push_back(L"process:without the current folder");
        return true;
    }
    Loaded found(const std::wstring& path) {
        auto it = onDisk.find(path);
        if (it == onDisk.end()) return {nullptr, kModNotFound};
        return {&it->second, 0};
    }
};

class SystemDll : public testing::Test {
  protected:
    FakeLoader loader;
    void* iphlpapi() {
        loader.onDisk[L"C:\\Windows\\system32\\iphlpapi.dll"] = 1;
        return &loader.onDisk[L"C:\\Windows\\system32\\iphlpapi.dll"];
    }
    using Asked = std::vector<std::wstring>;
};

TEST_F(SystemDll, AcceptedFlagLoadsByNameFromTheSystemFolderOnly) {
    void* module = iphlpapi();
    EXPECT_EQ(module, loadSystemDll(loader, L"iphlpapi.dll"));
    EXPECT_EQ(Asked{L"flag:iphlpapi.dll"}, loader.asked);
}

TEST_F(SystemDll, RefusedFlagLoadsTheFullPathInTheSystemFolder) {
    void* module = iphlpapi();
    loader.flagsRefused = true;
    EXPECT_EQ(module, loadSystemDll(loader, L"iphlpapi.dll"));
    EXPECT_EQ((Asked{L"flag:iphlpapi.dll", L"path:C:\\Windows\\system32\\iphlpapi.dll"}),
              loader.asked);
}

TEST_F(SystemDll, LoaderWithoutAddDllDirectoryIsNotAskedForTheFlag) {
    void* module = iphlpapi();
    loader.searchFlags = false;
    EXPECT_EQ(module, loadSystemDll(loader, L"iphlpapi.dll"));
    EXPECT_EQ(Asked{L"path:C:\\Windows\\system32\\iphlpapi.dll"}, loader.asked);
}

TEST_F(SystemDll, MissingDllIsNotLookedForElsewhere) {
    EXPECT_EQ(nullptr, loadSystemDll(loader, L"winspool.drv"));
    EXPECT_EQ(Asked{L"flag:winspool.drv"}, loader.asked);

    loader.asked.clear();
    loader.flagsRefused = true;
    EXPECT_EQ(nullptr, loadSystemDll(loader, L"winspool.drv"));
    EXPECT_EQ((Asked{L"flag:winspool.drv", L"path:C:\\Windows\\system32\\winspool.drv"}),
              loader.asked);
}

// Without a whole path there is no load at all: never a bare or cut-off name.
TEST_F(SystemDll, NoSystemFolderOrTooLongAPathLoadsNothing) {
    iphlpapi();
    loader.flagsRefused = true;
    loader.folder.clear();
    EXPECT_EQ(nullptr, loadSystemDll(loader, L"iphlpapi.dll"));
    EXPECT_EQ(Asked{L"flag:iphlpapi.dll"}, loader.asked);

    const std::wstring dll = L"iphlpapi.dll";
    loader.folder = L"C:\\" + std::wstring(kLongestDllPath - 4 - dll.size(), L'w');
    loader.onDisk[loader.folder + L"\\" + dll] = 2;
    loader.asked.clear();
    EXPECT_NE(nullptr, loadSystemDll(loader, dll)) << "a path of the longest length loads";
    loader.folder += L'w';
    loader.asked.clear();
    EXPECT_EQ(nullptr, loadSystemDll(loader, dll));
    EXPECT_EQ(Asked{L"flag:" + dll}, loader.asked);
}

TEST_F(SystemDll, RootSystemFolderGetsNoSecondBackslash) {
    loader.searchFlags = false;
    loader.folder = L"D:\\";
    loader.onDisk[L"D:\\shell32.dll"] = 3;
    EXPECT_NE(nullptr, loadSystemDll(loader, L"shell32.dll"));
    EXPECT_EQ(Asked{L"path:D:\\shell32.dll"}, loader.asked);
}

// The whole process's later loads by name: the system folder where the loader takes
// the flag, else at least without the current folder.
TEST_F(SystemDll, ProcessSearchIsNarrowedAsFarAsTheLoaderAllows) {
    struct Case {
        bool searchFlags, flagsRefused;
        Asked asked;
    } cases[] = {
        {true, false, {L"process:system folder only"}},
        {true, true, {L"process:system folder only", L"process:without the current folder"}},
        {false, false, {L"process:without the current folder"}},
    };
    for (const Case& c : cases) {
        loader = FakeLoader{};
        loader.searchFlags = c.searchFlags;
        loader.flagsRefused = c.flagsRefused;
        narrowDllSearch(loader);
        EXPECT_EQ(c.asked, loader.asked) << c.searchFlags << c.flagsRefused;
    }
}

}  // namespace
