#pragma once
// The real Kavrona.exe started by a test and driven from outside, as a user would: the
// fixture of the end-to-end tests. Skipped without an X display.

#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "support/automation_win32.h"

inline constexpr const char* kMainCaption = "Kavrona - www.kavrona.cz";

// The full path, in lower case, of each module of process `pid` named `name` (given in
// lower case): none when it is not loaded or the process cannot be read.
inline std::vector<std::wstring> loadedAs(DWORD pid, const std::wstring& name) {
    std::vector<std::wstring> paths;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return paths;
    HMODULE modules[512];
    DWORD bytes = 0;
    if (EnumProcessModules(process, modules, sizeof modules, &bytes)) {
        for (DWORD i = 0; i < std::min<DWORD>(bytes, sizeof modules) / sizeof(HMODULE); ++i) {
            wchar_t path[MAX_PATH];
            std::wstring file(path, GetModuleFileNameExW(process, modules[i], path, MAX_PATH));
            for (wchar_t& c : file) c = static_cast<wchar_t>(std::towlower(c));
            if (file.ends_with(L"\\" + name)) paths.push_back(file);
        }
    }
    CloseHandle(process);
    return paths;
}

class RunningKavrona : public testing::Test {
  protected:
    void SetUp() override {
        wchar_t display[8];
        if (!GetEnvironmentVariableW(L"DISPLAY", display, 8))
            GTEST_SKIP() << "needs an X display (scripts/test.sh starts one)";
    }

    // Starts the program and finds its main window.
    void start() {
        program_.emplace(KAVRONA_EXE);
        ASSERT_TRUE(program_->started())
            << "cannot start " << KAVRONA_EXE << ": error " << program_->startError();
        main_ = automation::waitForWindow(kMainCaption, pid());
        ASSERT_TRUE(main_) << "no main window";
    }

    DWORD pid() const { return program_->pid(); }
    HWND mainButton(const char* caption) const {
        return automation::childWithText(main_, "Button", caption);
    }

    std::optional<automation::StartedProgram> program_;  // ended by force if a test leaves it
    HWND main_ = nullptr;
};

// Started before each test.
class StartedKavrona : public RunningKavrona {
  protected:
    void SetUp() override {
        RunningKavrona::SetUp();
        if (!IsSkipped()) start();
    }
};
