#include "processes.h"

#include <windows.h>

#include <psapi.h>

#include <cstdlib>
#include <memory>
#include <type_traits>

#include "app/form1.h"
#include "forms/frm_Procesor.h"
#include "platform/utf16_win32.h"
#include "support/automation_win32.h"

namespace {

using namespace automation;

constexpr DWORD kEndMs = 10000;

struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
using Handle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

Handle inheritableNul(DWORD access) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    return Handle(CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              OPEN_EXISTING, 0, nullptr));
}

// A process started from here; still running when it goes, it is ended.
class StartedProcess {
  public:
    StartedProcess() = default;
    StartedProcess(const StartedProcess&) = delete;
    StartedProcess& operator=(const StartedProcess&) = delete;
    ~StartedProcess() {
        if (!info_.hProcess) return;
        if (!ended(0)) TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, kEndMs);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }

    // Its input is NUL, and so is its output unless `out` is given; errors go to NUL.
    bool start(std::wstring commandLine, HANDLE out = nullptr) {
        Handle in = inheritableNul(GENERIC_READ), nul = inheritableNul(GENERIC_WRITE);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = in.get();
        startup.hStdOutput = out ? out : nul.get();
        startup.hStdError = nul.get();
        return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                              nullptr, &startup, &info_);
    }
    DWORD pid() const { return info_.dwProcessId; }
    bool ended(DWORD ms) const { return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0; }
    DWORD exitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

  private:
    PROCESS_INFORMATION info_{};
};

std::wstring quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

std::string captionOf(const WindowLayout& layout, std::string_view name) {
    for (const ControlRow& row : layout.controls)
        if (row.name == name) return std::string(row.text);
    return {};
}

struct Search {
    DWORD pid;
    const std::wstring& caption;
    HWND found = nullptr;
};

// A named callback: a lambda would take the default calling convention, which on
// 32-bit Windows is not the one EnumWindows calls with.
BOOL CALLBACK keepFirstMatch(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != s->pid || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t text[64];
    int n = GetWindowTextW(hwnd, text, 64);
    if (s->caption != std::wstring_view(text, n > 0 ? n : 0)) return TRUE;
    s->found = hwnd;
    return FALSE;
}

// A visible top-level window of `pid` with this caption. GetWindowText does not send
// to another process's window, so polling neither waits for the program nor
// interrupts it.
HWND visibleWindow(DWORD pid, const std::wstring& caption) {
    Search search{pid, caption};
    EnumWindows(keepFirstMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Polled closely: the figure is the time until it shows, not the polling's.
HWND visibleWindowOf(DWORD pid, const std::wstring& caption) {
    BenchClock::time_point start = BenchClock::now();
    for (;;) {
        if (HWND w = visibleWindow(pid, caption)) return w;
        if (msSince(start) > static_cast<double>(kPatience.count())) return nullptr;
        Sleep(1);
    }
}

HWND mainWindowOf(DWORD pid) {
    return visibleWindowOf(pid, widen(kForm1Layout.caption));
}

bool answers(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kEndMs, &result) != 0;
}

std::optional<MemoryCounters> countersOf(DWORD pid) {
    Handle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process) return std::nullopt;
    PROCESS_MEMORY_COUNTERS_EX c{};
    c.cb = sizeof(c);
    if (!GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&c),
                              sizeof(c)))
        return std::nullopt;
    // Windows gives the commit charge in both fields; Wine 8 fills only PagefileUsage (the
    // process's anonymous resident and swapped memory) when asked about another process.
    return MemoryCounters{c.PrivateUsage ? c.PrivateUsage : c.PagefileUsage, c.PeakWorkingSetSize};
}

// The child's whole standard output.
std::string readAll(HANDLE pipe) {
    std::string text;
    char buffer[256];
    DWORD n = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) text.append(buffer, n);
    return text;
}

}  // namespace

namespace {

// The processor window once it shows its details. Asking for them waits until the
// program has finished the press, so the figure includes what it does after showing it.
HWND filledProcesorOf(DWORD pid) {
    const std::wstring caption = widen(kProcesorLayout.caption);
    BenchClock::time_point start = BenchClock::now();
    for (;;) {
        HWND w = visibleWindow(pid, caption);
        if (w && !textOf(nthChild(w, "Edit", 0)).empty()) return w;
        if (msSince(start) > static_cast<double>(kPatience.count())) return nullptr;
        Sleep(1);
    }
}

// One press of "Zobraz kompletní info", timed until the processor window is filled;
// the window is closed again afterwards. False when it did not come.
bool timeReport(DWORD pid, HWND main, Samples& into) {
    HWND button = childWithText(main, "Button", captionOf(kForm1Layout, "cmd_Print_on_listbox"));
    BenchClock::time_point start = BenchClock::now();
    if (!press(button)) return false;
    HWND procesor = filledProcesorOf(pid);
    if (!procesor || !answers(main)) return false;
    into.ms.push_back(msSince(start));
    return press(childWithText(procesor, "Button", captionOf(kProcesorLayout, "cmd_Close"))) &&
           waitUntilGone(procesor);
}

void timeRecord(const OnScreen& p, OnScreen::Record& record, std::vector<std::string>& faults) {
    StartedProcess program;
    BenchClock::time_point start = BenchClock::now();
    if (!program.start(quoted(p.path) + L" " + record.switchName + L" " + quoted(record.file)) ||
        !program.ended(kEndMs) || program.exitCode() != 0) {
        faults.emplace_back(p.name + " " + narrow(record.switchName) + ": did not write " +
                            narrow(record.file));
        return;
    }
    record.times.ms.push_back(msSince(start));
}

// One start of `p`: the start-up, then a cold press and the warm ones.
void runOnce(OnScreen& p, int warmPresses, std::vector<std::string>& faults) {
    StartedProcess program;
    BenchClock::time_point start = BenchClock::now();
    if (!program.start(quoted(p.path))) {
        faults.emplace_back(p.name + ": cannot start " + narrow(p.path));
        return;
    }
    HWND main = visibleWindowOf(program.pid(), p.caption);
    if (!main) {
        faults.emplace_back(p.name + ": no main window");
        return;
    }
    p.startUp.ms.push_back(msSince(start));
    if (!answers(main)) {
        faults.emplace_back(p.name + ": the main window does not answer");
        return;
    }
    if (p.hasReport) {
        bool whole = timeReport(program.pid(), main, p.cold);
        for (int i = 0; whole && i < warmPresses; ++i)
            whole = timeReport(program.pid(), main, p.warm);
        if (!whole) faults.emplace_back(p.name + ": no processor window after a press");
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (!program.ended(kEndMs)) faults.emplace_back(p.name + ": did not close");
    for (OnScreen::Record& record : p.records) timeRecord(p, record, faults);
}

}  // namespace

void timeOnScreen(std::vector<OnScreen>& programs, int rounds, int warmPresses,
                  std::vector<std::string>& faults) {
    const size_t faultsBefore = faults.size();
    for (int round = 0; round < rounds && faults.size() == faultsBefore; ++round) {
        // Each round in another order: none always follows the same one.
        for (size_t i = 0; i < programs.size(); ++i)
            runOnce(programs[(i + static_cast<size_t>(round)) % programs.size()], warmPresses,
                    faults);
    }
}

Samples timeWmic(int count, std::vector<std::string>& faults) {
    Samples s{"wmic cpu get name", {}};
    for (int i = 0; i < count; ++i) {
        StartedProcess wmic;
        BenchClock::time_point start = BenchClock::now();
        if (!wmic.start(L"wmic cpu get name") || !wmic.ended(kEndMs) || wmic.exitCode() != 0) {
            faults.emplace_back("wmic cpu get name: did not run");
            break;
        }
        s.ms.push_back(msSince(start));
    }
    return s;
}

ChildTimings timeChildren(const std::wstring& bench, const wchar_t* flag, const std::string& name,
                          int count, std::vector<std::string>& faults) {
    ChildTimings out{{name + ", process", {}}, {name, {}}};
    for (int i = 0; i < count; ++i) {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE read = nullptr, write = nullptr;
        if (!CreatePipe(&read, &write, &inherit, 0)) break;
        Handle reading(read), writing(write);
        SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
        StartedProcess child;
        BenchClock::time_point start = BenchClock::now();
        if (!child.start(quoted(bench) + L" " + flag, write)) {
            faults.emplace_back(name + ": cannot start the benchmark again");
            break;
        }
        writing.reset();  // the child's end of the pipe is the only one left: EOF when it ends
        std::string said = readAll(read);
        bool ended = child.ended(kEndMs);
        double whole = msSince(start);
        char* rest = nullptr;
        double inProcess = std::strtod(said.c_str(), &rest);
        if (!ended || child.exitCode() != 0 || rest == said.c_str()) {
            faults.emplace_back(name + ": " + (said.empty() ? "the child said nothing" : said));
            break;
        }
        out.wholeProcess.ms.push_back(whole);
        out.inProcess.ms.push_back(inProcess);
    }
    return out;
}

std::optional<MemoryFigures> memoryAfterReport(const std::wstring& kavrona,
                                               std::vector<std::string>& faults) {
    StartedProcess program;
    if (!program.start(quoted(kavrona))) {
        faults.emplace_back("memory: cannot start " + narrow(kavrona));
        return std::nullopt;
    }
    HWND main = mainWindowOf(program.pid());
    if (!main) {
        faults.emplace_back("memory: no main window");
        return std::nullopt;
    }
    std::optional<MemoryCounters> atStart = countersOf(program.pid());
    HWND procesor = nullptr;
    bool filled =
        press(childWithText(main, "Button", captionOf(kForm1Layout, "cmd_Print_on_listbox"))) &&
        (procesor = waitForWindow(std::string(kProcesorLayout.caption), program.pid())) &&
        waitFor([&] { return !textOf(nthChild(procesor, "Edit", 0)).empty(); });
    std::optional<MemoryCounters> afterReport = countersOf(program.pid());
    if (!filled) faults.emplace_back("memory: the processor window was not filled");
    if (!atStart || !afterReport) faults.emplace_back("memory: cannot read the program's counters");
    if (!filled || !atStart || !afterReport) return std::nullopt;
    return MemoryFigures{*atStart, *afterReport};
}
