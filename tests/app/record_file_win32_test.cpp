// The record's file as a fleet leaves it: a last line without its end, four runs at
// once, a reader that holds the file open. Each way of saving, for real.

#include <windows.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/switch_streams_win32.h"
#include "platform/code_page_win32.h"
#include "platform/utf16_win32.h"
#include "support/automation_win32.h"
#include "support/real_program_win32.h"

namespace fs = std::filesystem;

namespace {

using namespace std::chrono_literals;

// Kavrona.exe with `arguments`, started now; waited for by `finish`.
struct KavronaRun {
    PROCESS_INFORMATION process{};
    explicit KavronaRun(const std::wstring& arguments) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        std::wstring command = L"\"" + widen(KAVRONA_EXE) + L"\" " + arguments;
        EXPECT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE,
                                   DETACHED_PROCESS, nullptr, nullptr, &startup, &process))
            << GetLastError();
    }
    KavronaRun(const KavronaRun&) = delete;
    KavronaRun& operator=(const KavronaRun&) = delete;
    ~KavronaRun() {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    DWORD finish() {
        auto limit = automation::scaled(automation::Patience(90000));
        if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(limit.count())) != 0)
            TerminateProcess(process.hProcess, 99);
        DWORD code = 99;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
};

struct RecordFile : testing::Test {
    fs::path folder =
        fs::temp_directory_path() / ("kavrona-record-" + std::to_string(GetCurrentProcessId()));
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }

    fs::path withBytes(const wchar_t* name, const std::string& bytes) {
        fs::path file = folder / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    static std::wstring quoted(const fs::path& file) { return L"\"" + file.wstring() + L"\""; }
};

// The lines of a JSON Lines file, each checked to be one whole object.
std::vector<std::string> jsonLines(const fs::path& file) {
    std::vector<std::string> lines;
    std::istringstream in(bytesOf(file));
    for (std::string line; std::getline(in, line);) {
        EXPECT_TRUE(nlohmann::json::accept(line)) << line;
        lines.push_back(line);
    }
    return lines;
}

TEST_F(RecordFile, EachWayOfSavingStartsOnALineOfItsOwn) {
    const std::string earlier = "{\"earlier\":1}", older = "older record";
    fs::path json = withBytes(L"záznam.jsonl", earlier);
    EXPECT_EQ(0u, KavronaRun(L"/json " + quoted(json)).finish());
    std::vector<std::string> lines = jsonLines(json);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(earlier, lines[0]);

    fs::path report = withBytes(L"zpráva.txt", older);
    EXPECT_EQ(0u, KavronaRun(L"/report " + quoted(report)).finish());
    EXPECT_TRUE(bytesOf(report).starts_with(older + "\r\n" + toAnsi("Čas zápisu: ").bytes));

    fs::path saved = withBytes(L"okno.txt", older);
    RealProgram program;
    program.k.form1.cmd_Print_on_listbox.click();
    program.k.procesor.cmd_Write.click();
    program.k.form1.tb_Txt_DIR.setText(narrow(saved.wstring()));
    program.k.form1.cmd_Save.click();
    EXPECT_TRUE(bytesOf(saved).starts_with(older + "\r\n" + toAnsi("Čas zápisu: ").bytes));
}

// They wait for each other: none is refused for the others' sharing.
TEST_F(RecordFile, FourRunsAtOnceWriteFourWholeLines) {
    fs::path json = folder / L"společný.jsonl";
    std::vector<std::unique_ptr<KavronaRun>> runs;
    for (int i = 0; i < 4; ++i)
        runs.push_back(std::make_unique<KavronaRun>(L"/json " + quoted(json)));
    for (auto& run : runs) EXPECT_EQ(0u, run->finish());
    EXPECT_EQ(4u, jsonLines(json).size());
}

// A reader that shares writing (PowerShell's Get-Content, Python's open) is no
// obstacle; one that does not is waited for until it lets go.
TEST_F(RecordFile, AReaderHoldingTheFileDoesNotCostTheRecord) {
    struct Case {
        const char* reader;
        DWORD share;
        std::chrono::milliseconds holds;  // 0: until the run has ended
    } cases[] = {
        {"shares reading and writing", FILE_SHARE_READ | FILE_SHARE_WRITE, 0ms},
        {"shares everything", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0ms},
        {"shares reading alone, for 2 s", FILE_SHARE_READ, 2000ms},
    };
    for (const Case& c : cases) {
        fs::path json = withBytes(L"čtený.jsonl", "{\"earlier\":1}\n");
        HANDLE reader = CreateFileW(json.c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, reader) << c.reader;
        KavronaRun run(L"/json " + quoted(json));
        if (c.holds > 0ms) {
            Sleep(static_cast<DWORD>(c.holds.count()));
            CloseHandle(reader);
        }
        EXPECT_EQ(0u, run.finish()) << c.reader;
        if (c.holds == 0ms) CloseHandle(reader);
        EXPECT_EQ(2u, jsonLines(json).size()) << c.reader;
        fs::remove(json);
    }
}

}  // namespace
