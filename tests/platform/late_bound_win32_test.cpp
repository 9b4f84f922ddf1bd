// Kavrona's test build on a loader older than the search flags (its KAVRONA_OLD_LOADER,
// tests/support/test_build_loader_win32.cpp), with a DLL that is not the system's beside
// it under the name of each DLL the program loads at first use: every feature that
// needs one works, and each of them comes from the system folder.

#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "app/guest_window_win32.h"
#include "app/running_kavrona_win32.h"
#include "platform/utf16_win32.h"
#include "support/automation_win32.h"

namespace {

using namespace automation;

constexpr const wchar_t* kLateDlls[] = {L"iphlpapi.dll", L"oleaut32.dll", L"shell32.dll",
                                        L"winspool.drv"};

std::wstring lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring fullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH];
    DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return std::wstring(full, n < MAX_PATH ? n : 0);
}

std::string contentsOf(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[256];
    DWORD n = 0;
    if (ReadFile(file, buffer, sizeof buffer, &n, nullptr)) bytes.assign(buffer, n);
    CloseHandle(file);
    return bytes;
}

// The web link's handler for the length of a test: it writes the link it was given
// into a file. (Wine's shell reads it from the machine's classes, not the user's.)
class LinkHandler {
  public:
    explicit LinkHandler(const std::wstring& record) {
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) != ERROR_SUCCESS)
            return;
        wchar_t old[1024];
        DWORD size = sizeof old;
        if (RegQueryValueExW(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                             &size) != ERROR_SUCCESS)
            return;
        old_.assign(old, size / sizeof(wchar_t));
        ok_ = set(L"cmd.exe /c echo %1>\"" + record + L"\"");
    }
    LinkHandler(const LinkHandler&) = delete;
    LinkHandler& operator=(const LinkHandler&) = delete;
    ~LinkHandler() {
        if (!old_.empty()) set(old_);
        if (key_) RegCloseKey(key_);
    }
    bool ok() const { return ok_; }

  private:
    bool set(const std::wstring& command) {
        return RegSetValueExW(
                   key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    HKEY key_ = nullptr;
    std::wstring old_;  // with its final null
    bool ok_ = false;
};

class OldLoader : public RunningKavrona, public testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override {
        RunningKavrona::SetUp();
        if (IsSkipped()) return;
        folder_ = fullPath(L"old-loader-" + widen(GetParam()));
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr)) << GetLastError();
        ASSERT_TRUE(CopyFileW(widen(KAVRONA_TEST_EXE).c_str(), (folder_ + L"\\Kavrona.exe").c_str(),
                              FALSE));
        for (const wchar_t* dll : kLateDlls)
            ASSERT_TRUE(CopyFileW(guestDllPath().c_str(), (folder_ + L"\\" + dll).c_str(), FALSE))
                << narrow(guestDllPath());
        SetEnvironmentVariableW(L"KAVRONA_OLD_LOADER", widen(GetParam()).c_str());
        program_.emplace(narrow(folder_ + L"\\Kavrona.exe"));
        SetEnvironmentVariableW(L"KAVRONA_OLD_LOADER", nullptr);
        ASSERT_TRUE(program_->started()) << program_->startError();
        main_ = waitForWindow(kMainCaption, pid());
        ASSERT_TRUE(main_) << "no main window";
    }
    void TearDown() override {
        program_.reset();
        if (folder_.empty()) return;
        for (const wchar_t* file : {L"Kavrona.exe", L"Kavrona.txt", L"link.txt"})
            DeleteFileW((folder_ + L"\\" + file).c_str());
        for (const wchar_t* dll : kLateDlls) DeleteFileW((folder_ + L"\\" + dll).c_str());
        // The link's handler, a process of its own, may still be letting go of its file.
        EXPECT_TRUE(waitFor([&] { return RemoveDirectoryW(folder_.c_str()) != FALSE; }));
    }

    // Each of `dlls` is loaded, from the system folder and from nowhere else.
    void expectFromTheSystemFolder(std::initializer_list<const wchar_t*> dlls) {
        wchar_t system[MAX_PATH];
        UINT n = GetSystemDirectoryW(system, MAX_PATH);
        std::wstring folder = lower(std::wstring(system, n)) + L"\\";
        for (const wchar_t* dll : dlls) {
            std::vector<std::wstring> paths = loadedAs(pid(), dll);
            ASSERT_EQ(1u, paths.size()) << narrow(dll) << " loaded " << paths.size() << " times";
            EXPECT_EQ(folder + dll, paths[0]);
        }
    }

    std::wstring folder_;
};

TEST_P(OldLoader, CompleteReportHasTheAddressAndTheProcessorDetails) {
    ASSERT_TRUE(press(mainButton("Zobraz kompletní info")));
    HWND procesor = waitForWindow("Procesor:", pid());
    ASSERT_TRUE(procesor) << "no processor window";
    EXPECT_FALSE(waitForMessageBox(pid(), kQuiet)) << "a box, as when WMI fails";
    std::vector<std::string> processors = itemsOf(nthChild(procesor, "ListBox", 0));
    ASSERT_FALSE(processors.empty());
    EXPECT_FALSE(processors[0].empty());

    std::string report = textOf(nthChild(main_, "Edit", 0));
    size_t address = report.find("IP adresa: ");
    ASSERT_NE(std::string::npos, address) << report;
    EXPECT_NE('\r', report[address + 11]) << "no address";
    expectFromTheSystemFolder({L"iphlpapi.dll", L"oleaut32.dll"});
}

TEST_P(OldLoader, WebLinkReachesTheShell) {
    std::wstring record = folder_ + L"\\link.txt";
    LinkHandler handler(record);
    ASSERT_TRUE(handler.ok());
    HWND link = childWithText(main_, "Static", "www.kavrona.cz");
    ASSERT_TRUE(link);
    ASSERT_TRUE(PostMessageW(main_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(link), STN_CLICKED),
                             reinterpret_cast<LPARAM>(link)));
    std::string opened;
    EXPECT_TRUE(waitFor([&] {
        opened = contentsOf(record);
        return opened.starts_with("http://www.kavrona.cz");
    })) << "the shell opened \""
        << opened << "\"";
    expectFromTheSystemFolder({L"shell32.dll"});
}

// Run by printing_win32_test.sh, which makes a default printer for the question.
class OldLoaderByScript : public OldLoader {};

TEST_P(OldLoaderByScript, PrintingReachesItsQuestion) {
    ASSERT_TRUE(press(mainButton("Zobraz kompletní info")));
    ASSERT_TRUE(waitForWindow("Procesor:", pid())) << "no processor window";
    ASSERT_TRUE(press(mainButton("Tisknout zobrazené ...")));
    std::optional<MessageBoxShown> box = waitForMessageBox(pid());
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ("Tiskout dokument?", box->text);
    expectFromTheSystemFolder({L"winspool.drv"});
    ASSERT_TRUE(pressBoxButton(box->hwnd, IDCANCEL));
    ASSERT_TRUE(waitUntilGone(box->hwnd));
    std::optional<MessageBoxShown> cancelled = waitForMessageBox(pid());
    ASSERT_TRUE(cancelled);
    EXPECT_EQ("Tisk byl stornován.", cancelled->text);
    ASSERT_TRUE(pressBoxButton(cancelled->hwnd));
    ASSERT_TRUE(waitUntilGone(cancelled->hwnd));
}

std::string loaderName(const testing::TestParamInfo<const char*>& info) {
    std::string name = info.param;
    std::erase(name, '-');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Loaders, OldLoader, testing::Values("without-update", "flags-refused"),
                         loaderName);
INSTANTIATE_TEST_SUITE_P(Loaders, OldLoaderByScript,
                         testing::Values("without-update", "flags-refused"), loaderName);

}  // namespace
