// Kavrona's test build without a window, as a scheduled task runs it, with an error of
// the program's own in the middle of the run: every DLL's first use throws
// (KAVRONA_LOADS_THROW, tests/support/test_build_loader_win32.cpp). The run ends by
// itself, with code 2 and one line on its error stream, no box of the C runtime's that
// nobody would close, and no record.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "app/command_line.h"
#include "app/switch_streams_win32.h"
#include "support/automation_win32.h"

namespace {

using namespace automation;

struct Ended {
    DWORD code = STILL_ACTIVE;
    std::string out, err;                // UTF-8
    std::optional<MessageBoxShown> box;  // what it stood at, when it did not end
};

// Kavrona-test.exe with `arguments`, its streams into files, each DLL's first use
// throwing `what`. Ended by force when it has not ended within the limit.
Ended runThrowing(const fs::path& folder, const std::wstring& arguments, const wchar_t* what) {
    Ended ended;
    Outputs outputs(folder, Streams::Files);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outputs.out;
    startup.hStdError = outputs.err;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + widen(KAVRONA_TEST_EXE) + L"\" " + arguments;
    SetEnvironmentVariableW(L"KAVRONA_LOADS_THROW", what);
    BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                  nullptr, &startup, &process);
    SetEnvironmentVariableW(L"KAVRONA_LOADS_THROW", nullptr);
    outputs.started();
    EXPECT_TRUE(started) << "cannot start " << KAVRONA_TEST_EXE << ": " << GetLastError();
    if (!started) return ended;
    const DWORD limit = static_cast<DWORD>(scaled(Patience(60000)).count());
    if (WaitForSingleObject(process.hProcess, limit) == WAIT_TIMEOUT) {
        ended.box = waitForMessageBox(process.dwProcessId, kQuiet);
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    GetExitCodeProcess(process.hProcess, &ended.code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ended.out = consoleText(outputs.outBytes());
    ended.err = consoleText(outputs.errBytes());
    return ended;
}

struct WithoutWindowFaults : testing::Test {
    fs::path folder =
        fs::temp_directory_path() / ("kavrona-faults-" + std::to_string(GetCurrentProcessId()));
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
};

TEST_F(WithoutWindowFaults, AnExceptionEndsTheRunWithCodeTwoAndOneLine) {
    struct Case {
        const wchar_t* what;
        std::string line;
    } cases[] = {
        {L"bad_alloc", "nedostatek paměti"},
        {L"runtime_error", "the loader threw"},
        {L"int", "neznámá chyba"},
    };
    int run = 0;
    for (const wchar_t* ask : {L"/report", L"/json"}) {
        for (const Case& c : cases) {
            const std::string name = narrow(ask) + ", " + narrow(c.what);
            // Streams of its own: Wine may close the last run's a moment after its end.
            const fs::path own = folder / std::to_string(++run);
            fs::create_directories(own);
            const fs::path record =
                own / (ask == std::wstring(L"/report") ? L"Kavrona.txt" : L"Kavrona.jsonl");
            Ended ended =
                runThrowing(own, std::wstring(ask) + L" \"" + record.wstring() + L"\"", c.what);
            EXPECT_FALSE(ended.box)
                << name << ": stood at a box: " << ended.box->title << ": " << ended.box->text;
            EXPECT_EQ(static_cast<DWORD>(kExitNotSaved), ended.code) << name;
            EXPECT_EQ("Záznam se nepodařilo pořídit. Nastala chyba: " + c.line + "\r\n", ended.err)
                << name;
            EXPECT_EQ("", ended.out) << name;
            EXPECT_FALSE(fs::exists(record)) << name;
        }
    }
}

}  // namespace
