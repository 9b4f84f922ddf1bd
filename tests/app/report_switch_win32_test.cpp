// `Kavrona.exe /report FILE`, `/?` and a wrong switch, run as a script runs them, against
// what "Uložit do souboru ..." does in this process on the same machine: the same
// record, the same refusals in the same words, and never a window.
// What Kavrona says goes to the streams its starter gave it, a file or a pipe, whether
// the starter has a console or not (a service, a remote-run tool, `> out.log` in cmd);
// only without them to its starter's console. Under Wine a program started from a
// console program shares that console from its start (AttachConsole is then refused as
// "already attached"). report_switch_win32_test.sh prepares an immutable file and a
// full disk, and runs the case with a console of the test's own.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/command_line.h"
#include "app/switch_streams_win32.h"
#include "platform/code_page_win32.h"
#include "platform/utf16_win32.h"
#include "support/automation_win32.h"
#include "support/real_program_win32.h"

namespace fs = std::filesystem;

namespace {

const DWORD kRunLimitMs =
    static_cast<DWORD>(automation::scaled(automation::Patience(60000)).count());

struct Ran {
    DWORD code = STILL_ACTIVE;
    std::string out, err;  // UTF-8
    bool windowShown = false;
    bool windowMade = false;  // a window of the program's own class, shown or not
};

struct Shown {
    DWORD pid;
    bool seen = false, made = false;
};

// A named callback: a lambda would take the default calling convention, which on
// 32-bit Windows is not the one EnumWindows calls with.
BOOL CALLBACK findWindows(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Shown*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != s->pid) return TRUE;
    if (IsWindowVisible(hwnd)) s->seen = true;
    wchar_t name[32];
    int n = GetClassNameW(hwnd, name, 32);
    if (std::wstring_view(name, n > 0 ? n : 0) == L"KavronaWindow") s->made = true;
    return !s->seen;
}

struct ReportSwitch : testing::Test {
    fs::path folder =
        fs::temp_directory_path() / ("kavrona-switch-" + std::to_string(GetCurrentProcessId()));

    void SetUp() override {
        ASSERT_EQ(1250u, GetACP()) << "run with LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8";
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Kavrona.exe with `arguments`, its output and errors into files, or into pipes,
    // or with no streams at all; started from this program's console or detached from
    // any. Watched until it ends for a visible window of its own, and for any window
    // of the program's class.
    Ran run(const std::wstring& arguments, bool fromConsole, Streams streams = Streams::Files) {
        Ran ran;
        Outputs outputs(folder, streams);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        if (streams != Streams::None) {
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdOutput = outputs.out;
            startup.hStdError = outputs.err;
        }
        PROCESS_INFORMATION process{};
        std::wstring command = L"\"" + widen(KAVRONA_EXE) + L"\" " + arguments;
        BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr,
                                      streams != Streams::None, fromConsole ? 0 : DETACHED_PROCESS,
                                      nullptr, nullptr, &startup, &process);
        outputs.started();
        EXPECT_TRUE(started) << "cannot start " << KAVRONA_EXE << ": " << GetLastError();
        if (!started) return ran;
        Shown shown{process.dwProcessId};
        // The performance counter's clock: GetTickCount64 stands still under qemu-user.
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRunLimitMs);
        while (WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT &&
               std::chrono::steady_clock::now() < deadline) {
            if (!shown.seen) EnumWindows(findWindows, reinterpret_cast<LPARAM>(&shown));
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &ran.code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        ran.windowShown = shown.seen;
        ran.windowMade = shown.made;
        ran.out = consoleText(outputs.outBytes());
        ran.err = consoleText(outputs.errBytes());
        return ran;
    }
    Ran report(const fs::path& file, bool fromConsole = true) {
        return run(L"/report \"" + file.wstring() + L"\"", fromConsole);
    }

    // "Uložit do souboru ..." after "Zobraz kompletní info" and "Zapsat a zavřít", in
    // this process on the real services; the box's text.
    std::string saveByTheButtons(const fs::path& file) {
        RealProgram program;
        Form1& form1 = program.k.form1;
        form1.cmd_Print_on_listbox.click();
        // The switch writes every processor; the window writes the one picked.
        EXPECT_EQ(1u, program.k.procesor.lstCPU.items().size()) << "needs one processor";
        program.k.procesor.cmd_Write.click();
        form1.tb_Txt_DIR.setText(narrow(file.wstring()));
        program.dialogs.shown.clear();
        form1.cmd_Save.click();
        return program.dialogs.shown.empty() ? std::string() : program.dialogs.shown[0].text;
    }

    // A refusal: the code, the button's words on one line on the error stream given,
    // console or not, no window, and the file as it was.
    void expectRefused(const fs::path& file, int code) {
        const bool existed = fs::exists(file);
        const std::string before = existed ? bytesOf(file) : std::string();
        std::string box = saveByTheButtons(file);
        ASSERT_FALSE(box.empty());
        const std::string line = oneLine(box);
        for (bool fromConsole : {true, false}) {
            Ran ran = report(file, fromConsole);
            EXPECT_EQ(DWORD(code), ran.code) << fromConsole;
            EXPECT_EQ(line + "\r\n", ran.err) << fromConsole;
            EXPECT_EQ("", ran.out);
            EXPECT_FALSE(ran.windowShown);
            EXPECT_EQ(existed, fs::exists(file));
            if (existed) {
                EXPECT_EQ(before, bytesOf(file));
            }
        }
    }
};

// The record's lines, with what moves between two reads made blank: the time stamp,
// free memory and free space.
std::string steady(const std::string& bytes) {
    const std::string moving[] = {toAnsi("Čas zápisu: ").bytes, toAnsi("Volná paměť:").bytes,
                                  toAnsi("Volné místo na svazku").bytes};
    std::string out;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        end = end == std::string::npos ? bytes.size() : end + 2;
        std::string line = bytes.substr(start, end - start);
        for (const std::string& prefix : moving)
            if (line.starts_with(prefix)) line = prefix + "…\r\n";
        out += line;
        start = end;
    }
    return out;
}

TEST_F(ReportSwitch, NewAndExistingFileGetTheButtonsRecordAndNoWindowShows) {
    const std::string older = "older record\r\n";
    for (bool existing : {false, true}) {
        fs::path byButtons = folder / L"tlačítka.txt", bySwitch = folder / L"přepínač.txt";
        if (existing) {
            std::ofstream(byButtons, std::ios::binary) << older;
            std::ofstream(bySwitch, std::ios::binary) << older;
        }
        ASSERT_TRUE(saveByTheButtons(byButtons).starts_with("Soubor byl uložen"));
        Ran ran = report(bySwitch);
        EXPECT_EQ(0u, ran.code) << existing;
        EXPECT_EQ("", ran.out);
        EXPECT_EQ("", ran.err);
        EXPECT_FALSE(ran.windowShown);
        EXPECT_FALSE(ran.windowMade);
        std::string written = bytesOf(bySwitch);
        EXPECT_EQ(steady(bytesOf(byButtons)), steady(written)) << existing;
        EXPECT_EQ(existing, written.starts_with(older));
        EXPECT_NE(std::string::npos, written.find("\r\n\r\nProcesor: ")) << written;
        fs::remove(byButtons);
        fs::remove(bySwitch);
    }
}

TEST_F(ReportSwitch, ABadPathNamesTheFailureAndCreatesNothing) {
    expectRefused(folder / L"chybí" / L"Kavrona.txt", kExitNotSaved);
}

TEST_F(ReportSwitch, ANameOutsideTheCodePageIsRefused) {
    expectRefused(folder / L"\u65E5\u5831.txt", kExitNotSaved);
}

TEST_F(ReportSwitch, TheNameCheckOfTheButton) {
    expectRefused(folder / L"Kavrona.TXT", kExitNameRefused);
}

TEST_F(ReportSwitch, UsageWhenAskedAndForAWrongSwitch) {
    std::string usage;
    for (const char* line : kUsage) usage += std::string(line) + "\r\n";
    Ran asked = run(L"/?", true);
    EXPECT_EQ(0u, asked.code);
    EXPECT_EQ(usage, asked.out);
    EXPECT_EQ("", asked.err);
    EXPECT_FALSE(asked.windowShown);
    // Other programs' switch styles too: a window that a scheduled task opens would
    // never end, and the task's later runs would be skipped.
    for (const wchar_t* wrong : {L"/raport x.txt", L"-report x.txt", L"--report x.txt", L"-?"}) {
        for (bool fromConsole : {true, false}) {
            Ran ran = run(wrong, fromConsole);
            EXPECT_EQ(DWORD(kExitWrongSwitch), ran.code) << narrow(wrong);
            EXPECT_EQ("", ran.out) << narrow(wrong);
            EXPECT_EQ(usage, ran.err) << narrow(wrong) << fromConsole;
            EXPECT_FALSE(ran.windowMade) << narrow(wrong);
        }
    }
}

// A starter without a console that reads the program through pipes: a service, a
// remote-run tool.
TEST_F(ReportSwitch, PipesOfAStarterWithoutAConsoleGetWhatItSays) {
    fs::path missing = folder / L"chybí" / L"Kavrona.txt";
    const std::string line = oneLine(saveByTheButtons(missing));
    Ran failed = run(L"/report \"" + missing.wstring() + L"\"", false, Streams::Pipes);
    EXPECT_EQ(DWORD(kExitNotSaved), failed.code);
    EXPECT_EQ(line + "\r\n", failed.err);
    EXPECT_EQ("", failed.out);
    Ran asked = run(L"/?", false, Streams::Pipes);
    EXPECT_EQ(0u, asked.code);
    EXPECT_TRUE(asked.out.starts_with(std::string(kUsage[0]) + "\r\n")) << asked.out;
}

// cmd's own redirection, as a script's line `Kavrona.exe /report x.txt > out.log 2>&1`.
TEST_F(ReportSwitch, RedirectedByCmd) {
    fs::path missing = folder / L"chybí" / L"Kavrona.txt", log = folder / L"cmd.log";
    const std::string line = oneLine(saveByTheButtons(missing));
    std::wstring command = L"cmd.exe /c \"\"" + widen(KAVRONA_EXE) + L"\" /report \"" +
                           missing.wstring() + L"\" > \"" + log.wstring() + L"\" 2>&1\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                               nullptr, nullptr, &startup, &process))
        << GetLastError();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, kRunLimitMs));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(line + "\r\n", consoleText(bytesOf(log)));
}

// Files the Linux side prepared, an immutable one and one on a full disk; and WMI
// made to fail, which Wine takes from the environment this process started with.
struct ReportSwitchByScript : ReportSwitch {
    void refuses(const char* variable) {
        const char* name = std::getenv(variable);
        if (!name) GTEST_SKIP() << variable << " is set by report_switch_win32_test.sh";
        expectRefused(fs::path(name), kExitNotSaved);
    }
};

// A console made by this process, which Kavrona, started detached and given no
// streams, attaches to, as a windowed program started from cmd does; given streams,
// it writes there and leaves the console alone. Its window would come between the
// other cases and their windows: run alone.
TEST_F(ReportSwitchByScript, AttachesToItsStartersConsoleOnlyWithoutStreams) {
    FreeConsole();
    ASSERT_TRUE(AllocConsole()) << GetLastError();
    fs::path missing = folder / L"chybí" / L"Kavrona.txt";
    const std::string line = oneLine(saveByTheButtons(missing));
    Ran ran = report(missing, false);
    EXPECT_EQ(DWORD(kExitNotSaved), ran.code);
    EXPECT_EQ(line + "\r\n", ran.err);
    EXPECT_EQ("", consoleScreen());
    Ran bare = run(L"/report \"" + missing.wstring() + L"\"", false, Streams::None);
    EXPECT_EQ(DWORD(kExitNotSaved), bare.code);
    EXPECT_EQ(blanksOnce(line), consoleScreen());
    FreeConsole();
    Ran alone = run(L"/report \"" + missing.wstring() + L"\"", false, Streams::None);
    EXPECT_EQ(DWORD(kExitNotSaved), alone.code);
}

TEST_F(ReportSwitchByScript, ReadOnlyFile) {
    refuses("KAVRONA_SWITCH_READ_ONLY_FILE");
}

TEST_F(ReportSwitchByScript, FullDisk) {
    refuses("KAVRONA_SWITCH_FULL_DISK_FILE");
}

// README: the other sections are worth the record; the missing section and the line
// on the console tell what is missing. The buttons' record is the one a user saves
// after closing the processor window with "Zavřít".
TEST_F(ReportSwitchByScript, WithoutWmi) {
    fs::path byButtons = folder / L"tlačítka.txt", bySwitch = folder / L"přepínač.txt";
    RealProgram program;
    Form1& form1 = program.k.form1;
    form1.cmd_Print_on_listbox.click();
    ASSERT_EQ(1u, program.dialogs.shown.size()) << "run with wbemprox=d in WINEDLLOVERRIDES";
    const std::string wmiBox = program.dialogs.shown[0].text;
    ASSERT_TRUE(wmiBox.starts_with("Informace se nepodařilo zjistit. Nastala chyba: ")) << wmiBox;
    program.k.procesor.cmd_Close.click();
    form1.tb_Txt_DIR.setText(narrow(byButtons.wstring()));
    form1.cmd_Save.click();

    Ran ran = report(bySwitch);
    EXPECT_EQ(0u, ran.code);
    EXPECT_EQ(oneLine(wmiBox) + "\r\n", ran.err);
    EXPECT_EQ("", ran.out);
    EXPECT_FALSE(ran.windowShown);
    // The switch says in the record, where the processors would stand, what the box said.
    std::string expected = bytesOf(byButtons);
    expected.insert(expected.rfind("\r\n", expected.size() - 3),
                    toAnsi("\r\n" + wmiBox + "\r\n").bytes);
    EXPECT_EQ(steady(expected), steady(bytesOf(bySwitch)));
}

}  // namespace
