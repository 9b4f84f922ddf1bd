// The README's scheduled tasks: each one's command, as the Task Scheduler keeps and
// starts it, runs the program from Program Files, where only administrators can write,
// and writes the record. A path with blanks left unquoted would be tried piece by piece
// ("C:\Program.exe" first), and a folder that users can write to would let them run
// anything as SYSTEM.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/utf16_win32.h"
#include "support/automation_win32.h"

namespace fs = std::filesystem;

namespace {

const DWORD kRunLimitMs =
    static_cast<DWORD>(automation::scaled(automation::Patience(60000)).count());

// The README from the Linux side, through Wine's drive of the root.
fs::path readmePath() {
    std::string path = "Z:" KAVRONA_README;
    for (char& c : path)
        if (c == '/') c = '\\';
    return fs::path(widen(path));
}

// The README's `schtasks /create` lines: those with `/tr` and the one with `/xml`, whose
// definition the installer test runs (tests/installer/msi_win32_test.sh).
std::vector<std::string> taskLines() {
    std::ifstream readme(readmePath());
    std::string line;
    std::vector<std::string> found;
    while (std::getline(readme, line))
        if (line.starts_with("schtasks /create ")) found.push_back(line);
    return found;
}

// What `/tr "..."` gives the scheduler: the text between its quotes, `\"` as `"`.
std::string taskCommand(const std::string& line) {
    size_t start = line.find("/tr \"");
    if (start == std::string::npos || !line.ends_with('"')) return {};
    std::string quoted = line.substr(start + 5, line.size() - start - 6), command;
    for (size_t i = 0; i < quoted.size(); ++i) {
        if (quoted.compare(i, 2, "\\\"") == 0) ++i;
        command += quoted[i];
    }
    return command;
}

std::wstring expanded(const std::wstring& text) {
    std::wstring out(32768, L'\0');
    DWORD n = ExpandEnvironmentStringsW(text.c_str(), out.data(), 32768);
    out.resize(n ? n - 1 : 0);
    return out;
}

// One line's command run as the scheduler runs it, with a folder of the test's for the
// share: the program copied where the line says must write the record it names there.
void runTask(const std::string& line) {
    SCOPED_TRACE(line);
    std::string command = taskCommand(line);
    ASSERT_TRUE(command.starts_with("\"%ProgramFiles")) << command;
    size_t exeEnd = command.find("\\Kavrona.exe\" ");
    ASSERT_NE(std::string::npos, exeEnd) << command;
    const std::wstring exe = expanded(widen(command.substr(1, exeEnd + 11)));
    const std::wstring programFiles = expanded(widen(command.substr(1, command.find('%', 2))));
    ASSERT_TRUE(exe.starts_with(programFiles)) << narrow(exe);

    // The share is a folder of the test's; the program is copied where the line says.
    fs::path share =
        fs::temp_directory_path() / ("kavrona-share-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(share);
    fs::create_directories(fs::path(exe).parent_path());
    ASSERT_TRUE(CopyFileW(widen(KAVRONA_EXE).c_str(), exe.c_str(), FALSE)) << GetLastError();
    std::wstring run = expanded(widen(command));
    size_t at = run.find(L"\\\\server\\share");
    ASSERT_NE(std::wstring::npos, at);
    run.replace(at, 14, share.wstring());

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, run.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                               nullptr, nullptr, &startup, &process))
        << GetLastError() << " " << narrow(run);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, kRunLimitMs));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(0u, code);
    // The record's name is the command's last word, %COMPUTERNAME% expanded.
    const fs::path record(run.substr(run.rfind(L' ') + 1));
    EXPECT_EQ(share, record.parent_path());
    EXPECT_TRUE(fs::exists(record)) << narrow(record.wstring());

    DeleteFileW(exe.c_str());
    RemoveDirectoryW(fs::path(exe).parent_path().c_str());
    fs::remove_all(share);
}

TEST(TaskExample, EachRunsTheProgramQuotedFromProgramFilesAndWritesTheRecord) {
    int run = 0;
    for (const std::string& line : taskLines()) {
        if (line.find(" /tr \"") == std::string::npos) continue;
        runTask(line);
        ++run;
    }
    EXPECT_LT(0, run) << "no schtasks line with /tr in " << readmePath().string();
}

// Without /f, schtasks asks whether to replace a task of the same name, and a deployment
// script stops at the question.
TEST(TaskExample, EachReplacesATaskOfTheSameNameWithoutAsking) {
    const std::vector<std::string> lines = taskLines();
    ASSERT_FALSE(lines.empty()) << "no schtasks line in " << readmePath().string();
    for (const std::string& line : lines) {
        const std::string beforeTr = line.substr(0, line.find(" /tr "));
        EXPECT_TRUE(beforeTr.find(" /f ") != std::string::npos || beforeTr.ends_with(" /f"))
            << line;
    }
}

}  // namespace
