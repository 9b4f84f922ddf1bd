// The real Kavrona.exe as a scheduled task runs it: what the process was set to at its
// start, read from inside it. The guest DLL is put into the system folder and loaded
// into the running program, as a system DLL is, and called there on a thread of its
// own: the error mode, and what a DLL of the system finds when it loads a DLL by bare
// name later, with a DLL of that name beside the program and one in its current folder.

#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/guest_window_win32.h"
#include "app/running_kavrona_win32.h"
#include "platform/utf16_win32.h"

namespace {

using namespace automation;

constexpr DWORD kBesideTheProgram = 1, kInTheCurrentFolder = 2;  // guestLoadsByName's bits
const DWORD kThreadLimitMs = static_cast<DWORD>(scaled(Patience(60000)).count());

std::wstring fullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH];
    DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return std::wstring(full, n < MAX_PATH ? n : 0);
}

std::wstring systemFolder() {
    wchar_t folder[MAX_PATH];
    UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, n < MAX_PATH ? n : 0);
}

// `function(argument)` run on a new thread of `process`: its exit code.
std::optional<DWORD> runIn(HANDLE process, const void* function, void* argument) {
    auto start = reinterpret_cast<LPTHREAD_START_ROUTINE>(const_cast<void*>(function));
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, start, argument, 0, nullptr);
    if (!thread) return std::nullopt;
    DWORD code = STILL_ACTIVE;
    bool ended = WaitForSingleObject(thread, kThreadLimitMs) == WAIT_OBJECT_0 &&
                 GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return ended ? std::optional(code) : std::nullopt;
}

// Where `process` has the module at `path` (compared without regard to case).
HMODULE moduleIn(HANDLE process, const std::wstring& path) {
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return nullptr;
    for (DWORD i = 0; i < std::min<DWORD>(bytes, sizeof modules) / sizeof(HMODULE); ++i) {
        wchar_t file[MAX_PATH];
        DWORD n = GetModuleFileNameExW(process, modules[i], file, MAX_PATH);
        if (CompareStringOrdinal(file, static_cast<int>(n), path.c_str(),
                                 static_cast<int>(path.size()), TRUE) == CSTR_EQUAL)
            return modules[i];
    }
    return nullptr;
}

// The guest DLL in the system folder under a name of its own, for as long as a test.
class SystemGuest {
  public:
    SystemGuest() : path_(systemFolder() + L"\\kavrona-probe.dll") {
        copied_ = CopyFileW(guestDllPath().c_str(), path_.c_str(), FALSE) != FALSE;
        here_ = copied_ ? LoadLibraryW(path_.c_str()) : nullptr;
    }
    SystemGuest(const SystemGuest&) = delete;
    SystemGuest& operator=(const SystemGuest&) = delete;
    ~SystemGuest() {
        if (here_) FreeLibrary(here_);
        if (copied_) DeleteFileW(path_.c_str());
    }
    bool ready() const { return here_ != nullptr; }
    const std::wstring& path() const { return path_; }

    // `name` of the guest loaded at `there` in another process; the guest is loaded at
    // `here_` in this one.
    const void* exportAt(HMODULE there, const char* name) const {
        auto* function = reinterpret_cast<const char*>(GetProcAddress(here_, name));
        if (!function) return nullptr;
        return reinterpret_cast<const char*>(there) + (function - reinterpret_cast<char*>(here_));
    }

  private:
    std::wstring path_;
    bool copied_ = false;
    HMODULE here_ = nullptr;
};

// Kavrona.exe copied into a folder of its own with the guest beside it as
// "kavrona-beside.dll", started from another folder that holds it as "kavrona-here.dll",
// on the loader the parameter names: empty, the shipped program on this one; else its
// test build with that KAVRONA_OLD_LOADER.
class Unattended : public RunningKavrona, public testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override {
        RunningKavrona::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(guest_.ready()) << "cannot put the guest DLL into " << narrow(guest_.path());
        std::wstring name = L"unattended-" + widen(*GetParam() ? GetParam() : "this-loader");
        program_folder_ = fullPath(name);
        current_folder_ = fullPath(name + L"-current");
        for (const std::wstring* folder : {&program_folder_, &current_folder_})
            ASSERT_TRUE(CreateDirectoryW(folder->c_str(), nullptr)) << GetLastError();
        ASSERT_TRUE(CopyFileW(widen(*GetParam() ? KAVRONA_TEST_EXE : KAVRONA_EXE).c_str(),
                              exe().c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(guestDllPath().c_str(), beside().c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(guestDllPath().c_str(), here().c_str(), FALSE));

        wchar_t old[MAX_PATH];
        DWORD n = GetCurrentDirectoryW(MAX_PATH, old);
        SetCurrentDirectoryW(current_folder_.c_str());
        if (*GetParam()) SetEnvironmentVariableW(L"KAVRONA_OLD_LOADER", widen(GetParam()).c_str());
        program_.emplace(narrow(exe()));
        SetEnvironmentVariableW(L"KAVRONA_OLD_LOADER", nullptr);
        SetCurrentDirectoryW(std::wstring(old, n).c_str());
        ASSERT_TRUE(program_->started()) << program_->startError();
        main_ = waitForWindow(kMainCaption, pid());
        ASSERT_TRUE(main_) << "no main window";

        process_ = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION |
                                   PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ,
                               FALSE, pid());
        ASSERT_TRUE(process_) << GetLastError();
        loadGuest();
    }
    void TearDown() override {
        if (process_) CloseHandle(process_);
        program_.reset();
        // The ended program may still be letting go of its exe and DLLs.
        for (const std::wstring* folder : {&program_folder_, &current_folder_}) {
            if (folder->empty()) continue;
            EXPECT_TRUE(waitFor([&] {
                for (const std::wstring& file : {exe(), beside(), here()})
                    DeleteFileW(file.c_str());
                return RemoveDirectoryW(folder->c_str()) != FALSE;
            })) << narrow(*folder);
        }
    }

    std::wstring exe() const { return program_folder_ + L"\\Kavrona.exe"; }
    std::wstring beside() const { return program_folder_ + L"\\kavrona-beside.dll"; }
    std::wstring here() const { return current_folder_ + L"\\kavrona-here.dll"; }

    // The guest from the system folder, by its full path, as the system loads its own.
    void loadGuest() {
        const std::wstring& path = guest_.path();
        size_t bytes = (path.size() + 1) * sizeof(wchar_t);
        void* text =
            VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        ASSERT_TRUE(text && WriteProcessMemory(process_, text, path.c_str(), bytes, nullptr));
        auto* loadLibrary = reinterpret_cast<const void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW"));
        std::optional<DWORD> loaded = runIn(process_, loadLibrary, text);
        VirtualFreeEx(process_, text, 0, MEM_RELEASE);
        ASSERT_TRUE(loaded && *loaded) << "LoadLibraryW of the guest failed in the program";
        guest_there_ = moduleIn(process_, path);
        ASSERT_TRUE(guest_there_);
    }

    // The guest's `name` run in the program.
    std::optional<DWORD> ask(const char* name) {
        const void* function = guest_.exportAt(guest_there_, name);
        if (!function) return std::nullopt;
        return runIn(process_, function, nullptr);
    }

    SystemGuest guest_;
    std::wstring program_folder_, current_folder_;
    HANDLE process_ = nullptr;
    HMODULE guest_there_ = nullptr;
};

class UnattendedOnEveryLoader : public Unattended {};

// A card reader without media would stop a run that nobody watches at Windows' own
// "no disk" box, a crash at the box of a program that crashed.
TEST_P(UnattendedOnEveryLoader, WindowsOwnErrorBoxesAreOff) {
    std::optional<DWORD> mode = ask("guestErrorMode");
    ASSERT_TRUE(mode) << "the guest did not answer";
    constexpr UINT kOff = SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX;
    EXPECT_EQ(kOff, *mode & kOff) << *mode;
}

// What the system's DLLs load by name comes neither from the program's folder nor
// from the current one. Only on a loader that knows the search flags: an older one can
// only be told to leave out the current folder (SetDllDirectoryW(L"")), which Wine's
// loader takes as no DLL folder at all, keeping the current folder.
class UnattendedDllSearch : public Unattended {};

TEST_P(UnattendedDllSearch, DllsThatTheSystemLoadsByNameLaterComeFromItsFolder) {
    std::optional<DWORD> found = ask("guestLoadsByName");
    ASSERT_TRUE(found) << "the guest did not answer";
    EXPECT_FALSE(*found & kBesideTheProgram) << *found;
    EXPECT_FALSE(*found & kInTheCurrentFolder) << *found;
}

std::string loaderName(const testing::TestParamInfo<const char*>& info) {
    std::string name = *info.param ? info.param : "ThisLoader";
    std::erase(name, '-');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Loaders, UnattendedOnEveryLoader,
                         testing::Values("", "without-update", "flags-refused"), loaderName);
INSTANTIATE_TEST_SUITE_P(Loaders, UnattendedDllSearch, testing::Values(""), loaderName);

}  // namespace
