#pragma once
// The real Kavrona.exe started by a test and driven from outside, as a user would: the
// fixture of the end-to-end tests. Skipped without an X display.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "support/automation_win32.h"

inline constexpr const char* kMainCaption = "Kavrona - www.kavrona.cz";

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
