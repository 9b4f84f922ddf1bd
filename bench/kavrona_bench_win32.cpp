// kavrona-bench: times Kavrona's report sections, its complete report cold and warm,
// and wmic as a reference process that reads the same WMI class; times Kavrona on
// screen against the floor program (its windows in plain Win32) and a bare window,
// and its records without a window (`Kavrona.exe /report`, `/json`);
// reports the program's size and memory, and checks them against their targets.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "activation_loop.h"
#include "app/form1.h"
#include "in_process.h"
#include "platform/utf16_win32.h"
#include "processes.h"
#include "table.h"
#include "ui/layout.h"

namespace {

constexpr int kSectionRounds = 500;
constexpr int kWarmRuns = 100;
constexpr int kColdRuns = 10;
constexpr int kOnScreenRounds = 15;
constexpr int kWarmPresses = 4;
constexpr int kWmiRuns = 10;
constexpr int kWmicRuns = 20;

constexpr double kWarmTargetMs = 100;
constexpr double kSectionsTargetMs = 5;
constexpr uint64_t kPrivateTarget = 10ull << 20;
constexpr uint64_t kShippedSizeTarget = 3ull << 19;  // 1.5 MB
constexpr double kFloorFactor = 1.1;                 // Kavrona on screen against the floor
constexpr double kJsonFactor = 1.5;                  // `/json` start to end against `/report`'s

std::wstring ownPath() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, n);
}

std::wstring besideMe(const std::wstring& relative) {
    std::wstring me = ownPath();
    std::wstring joined = me.substr(0, me.rfind(L'\\') + 1) + relative;
    wchar_t full[MAX_PATH];
    DWORD n = GetFullPathNameW(joined.c_str(), MAX_PATH, full, nullptr);
    return n && n < MAX_PATH ? std::wstring(full, n) : joined;
}

// Where the runs of `Kavrona.exe /report` or `/json` append their records; removed
// afterwards.
std::wstring recordFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    DWORD n = GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder, n) + name;
}

std::optional<uint64_t> fileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

std::string machine() {
    using WineVersion = const char*(CDECL*)();
    auto wine = reinterpret_cast<WineVersion>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof(memory);
    GlobalMemoryStatusEx(&memory);
    const std::string runsOn = wine ? std::string("Wine ") + wine() : "Windows";
    char text[160];
    std::snprintf(text, sizeof text, "%d-bit build, %s, %lu cores, %.1f GB memory",
                  static_cast<int>(sizeof(void*) * 8), runsOn.c_str(), system.dwNumberOfProcessors,
                  static_cast<double>(memory.ullTotalPhys) / (1ull << 30));
    return text;
}

// The child's part: what `measure` timed, in milliseconds on stdout.
int child(double (*measure)(std::string& fault)) {
    std::string fault;
    double ms = measure(fault);
    if (ms < 0) {
        std::printf("%s\n", fault.c_str());
        return 1;
    }
    std::printf("%.3f\n", ms);
    return 0;
}

void printSizes(const std::wstring& x64, const std::wstring& x86) {
    for (const auto& [name, path] : {std::pair{"Kavrona.exe x64", x64}, {"Kavrona.exe x86", x86}}) {
        std::optional<uint64_t> size = fileSize(path);
        printLine(name, size ? megabytes(*size) : "not built: " + narrow(path));
    }
}

std::string ratio(double a, double b) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", b > 0 ? a / b : 0.0);
    return text;
}

// Kavrona, the floor and the bare window on screen, and WMI's first connection:
// their rows, ratios and targets.
// `others` are more builds of Kavrona, timed in the same rounds to compare changes.
std::vector<Target> compareOnScreen(const std::vector<std::wstring>& others,
                                    std::vector<std::string>& faults) {
    const std::wstring form1 = widen(kForm1Layout.caption);
    std::vector<OnScreen> onScreen{
        {"Kavrona", besideMe(L"Kavrona.exe"), form1, true, {}, {}, {}, {}},
        {"floor", besideMe(L"kavrona-floor.exe"), form1, true, {}, {}, {}, {}},
        {"bare window", besideMe(L"kavrona-bare.exe"), L"Bare", false, {}, {}, {}, {}},
    };
    for (const std::wstring& path : others)
        onScreen.push_back({narrow(path.substr(path.find_last_of(L"\\/") + 1)),
                            path,
                            form1,
                            true,
                            {},
                            {},
                            {},
                            {}});
    for (OnScreen& p : onScreen) {
        p.startUp.name = p.name + ": start-up to its window";
        p.cold.name = p.name + ": press to processor, cold";
        p.warm.name = p.name + ": press to processor, warm";
    }
    std::vector<OnScreen::Record>& records = onScreen[0].records;
    records = {{L"/report", recordFile(L"kavrona-bench-report.txt"), {}},
               {L"/json", recordFile(L"kavrona-bench.jsonl"), {}}};
    for (OnScreen::Record& record : records)
        record.times.name = "Kavrona " + narrow(record.switchName) + ": start to end, no window";
    timeOnScreen(onScreen, kOnScreenRounds, kWarmPresses, faults);
    for (const OnScreen::Record& record : records) DeleteFileW(record.file.c_str());
    ChildTimings wmi = timeChildren(ownPath(), kWmiFlag, "WMI first connection", kWmiRuns, faults);

    for (const OnScreen& p : onScreen) {
        printRow(p.startUp);
        if (p.hasReport) {
            printRow(p.cold);
            printRow(p.warm);
        }
        // The same report without a window, beside the window's.
        for (const OnScreen::Record& record : p.records) printRow(record.times);
    }
    printRow(wmi.inProcess);
    const OnScreen& kavrona = onScreen[0];
    const OnScreen& floor = onScreen[1];
    const OnScreen& bare = onScreen[2];
    printLine("start-up: Kavrona / floor", ratio(kavrona.startUp.median(), floor.startUp.median()));
    printLine("start-up: floor / bare window",
              ratio(floor.startUp.median(), bare.startUp.median()));
    printLine("report, warm: Kavrona / floor", ratio(kavrona.warm.median(), floor.warm.median()));
    printLine("report, cold: Kavrona / floor", ratio(kavrona.cold.median(), floor.cold.median()));
    const Samples& reportSwitch = kavrona.records[0].times;
    const Samples& jsonSwitch = kavrona.records[1].times;
    printLine("/report / (start-up + report, cold)",
              ratio(reportSwitch.median(), kavrona.startUp.median() + kavrona.cold.median()));
    printLine("/json / /report", ratio(jsonSwitch.median(), reportSwitch.median()));

    const bool measured = !kavrona.warm.empty() && !floor.warm.empty() && !wmi.inProcess.empty();
    const bool recorded = !reportSwitch.empty() && !jsonSwitch.empty();
    const double coldLimit = floor.cold.median() + wmi.inProcess.median();
    return {
        {"start-up <= 1.1 x the floor's",
         milliseconds(kavrona.startUp.median()) + " against " +
             milliseconds(floor.startUp.median()),
         measured && kavrona.startUp.median() <= kFloorFactor * floor.startUp.median()},
        {"report on screen, warm: <= 1.1 x the floor's",
         milliseconds(kavrona.warm.median()) + " against " + milliseconds(floor.warm.median()),
         measured && kavrona.warm.median() <= kFloorFactor * floor.warm.median()},
        {"report on screen, cold: <= the floor's + WMI first",
         milliseconds(kavrona.cold.median()) + " against " + milliseconds(coldLimit),
         measured && kavrona.cold.median() <= coldLimit},
        // The inventory's WMI classes and uninstall keys are the record's own cost.
        {"/json, start to end: <= 1.5 x /report's",
         milliseconds(jsonSwitch.median()) + " against " + milliseconds(reportSwitch.median()),
         recorded && jsonSwitch.median() <= kJsonFactor * reportSwitch.median()},
    };
}

// Kavrona inside this process and as a whole process, its size and memory: their
// rows and targets.
std::vector<Target> measureProgram(std::vector<std::string>& faults) {
    SectionTimings sections = timeSections(kSectionRounds);
    faults.insert(faults.end(), sections.faults.begin(), sections.faults.end());
    Samples warm = timeCompleteWarm(kWarmRuns, faults);
    ChildTimings cold =
        timeChildren(ownPath(), kColdFlag, "complete report, cold", kColdRuns, faults);
    Samples wmic = timeWmic(kWmicRuns, faults);
    std::optional<MemoryFigures> memory = memoryAfterReport(besideMe(L"Kavrona.exe"), faults);

    double sectionsMs = 0;
    for (size_t i = 0; i < sections.sections.size(); ++i) {
        printRow(sections.sections[i]);
        sectionsMs += sections.sections[i].median();
        // The network address and the drives are where Windows' share is the time.
        if (i == 1) printRow(sections.adapterCalls);
        if (i == 4) printRow(sections.driveCalls);
    }
    printRow(sections.procesor);
    printRow(warm);
    printRow(cold.inProcess);
    printRow(cold.wholeProcess);
    printRow(wmic);
    std::printf("\n");
    printLine("sections without WMI, sum of medians", milliseconds(sectionsMs));
    const double windowsMs = sections.adapterCalls.median() + sections.driveCalls.median();
    printLine("  of which Windows calls (medians)", milliseconds(windowsMs));
    if (!wmic.empty() && !cold.wholeProcess.empty())
        printLine("cold complete report / wmic", ratio(cold.wholeProcess.median(), wmic.median()) +
                                                     " (medians, both whole processes)");
    const std::wstring x64 = besideMe(L"..\\windows-x64\\Kavrona.exe");
    const std::wstring x86 = besideMe(L"..\\windows-x86\\Kavrona.exe");
    printSizes(x64, x86);
    if (memory) {
        printLine("private bytes, main window shown", megabytes(memory->atStart.privateBytes));
        printLine("private bytes, after a complete report",
                  megabytes(memory->afterReport.privateBytes));
        printLine("peak working set, after a complete report",
                  megabytes(memory->afterReport.peakWorkingSet));
    }

    std::optional<uint64_t> shipped = fileSize(x86);
    return {
        {"complete report, warm: median <= 100 ms", milliseconds(warm.median()),
         !warm.empty() && warm.median() <= kWarmTargetMs},
        {"sections without WMI: sum of medians <= 5 ms",
         milliseconds(sectionsMs) + ", Windows calls " + milliseconds(windowsMs) + " of it",
         sectionsMs <= kSectionsTargetMs},
        {"private bytes after a complete report <= 10 MB",
         memory ? megabytes(memory->afterReport.privateBytes) : "not measured",
         memory && memory->afterReport.privateBytes <= kPrivateTarget},
        {"32-bit Kavrona.exe <= 1.5 MB", shipped ? megabytes(*shipped) : "not built",
         shipped && *shipped <= kShippedSizeTarget},
    };
}

// Complete reports in a row, each checked for the processor window in front with its
// button focused; a miss fails.
int activationLoop(int count) {
    std::vector<std::string> faults;
    ActivationLoop loop = loopCompleteReports(besideMe(L"Kavrona.exe"), count, faults);
    for (const std::string& miss : loop.misses) std::printf("miss: %s\n", miss.c_str());
    for (const std::string& f : faults) std::printf("fault: %s\n", f.c_str());
    std::printf(
        "%d complete reports, %zu misses; processor window in front after %s (median, max %s)\n",
        loop.reports, loop.misses.size(), milliseconds(loop.toFront.median()).c_str(),
        milliseconds(loop.toFront.max()).c_str());
    return faults.empty() && loop.misses.empty() && loop.reports == count ? 0 : 1;
}

}  // namespace

// With --on-screen, only the comparison with the floor, and any programs named after
// it with the rest; with --activation N, only N complete reports in a row.
int wmain(int argc, wchar_t** argv) {
    const std::wstring_view flag = argc >= 2 ? argv[1] : L"";
    if (flag == kWmiFlag) return child(timeWmiFirst);
    if (flag == kColdFlag) return child(timeCompleteOnce);

    std::vector<std::string> faults;
    if (flag == L"--activation") return activationLoop(argc >= 3 ? _wtoi(argv[2]) : 300);
    printHeading(machine());
    std::vector<Target> targets =
        compareOnScreen(std::vector<std::wstring>(argv + std::min(argc, 2), argv + argc), faults);
    if (flag != L"--on-screen") {
        std::vector<Target> more = measureProgram(faults);
        targets.insert(targets.end(), more.begin(), more.end());
    }
    printTargets(targets);
    for (const std::string& f : faults) std::printf("fault: %s\n", f.c_str());
    bool met = std::all_of(targets.begin(), targets.end(), [](const Target& t) { return t.met; });
    return faults.empty() && met ? 0 : 1;
}
