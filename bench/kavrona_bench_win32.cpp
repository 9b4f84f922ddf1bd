// kavrona-bench: times Kavrona's report sections, its complete report cold and warm,
// its start-up, and wmic as a reference process that reads the same WMI class;
// reports the program's size and memory, and checks them against their targets.

#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "in_process.h"
#include "platform/com_win32.h"
#include "platform/utf16_win32.h"
#include "processes.h"
#include "table.h"

namespace {

constexpr int kSectionRounds = 500;
constexpr int kWarmRuns = 100;
constexpr int kColdRuns = 10;
constexpr int kStartUps = 20;
constexpr int kWmicRuns = 20;

constexpr double kWarmTargetMs = 100;
constexpr double kSectionsTargetMs = 5;
constexpr uint64_t kPrivateTarget = 10ull << 20;
constexpr uint64_t kShippedSizeTarget = 3ull << 19;  // 1.5 MB

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
    char text[128];
    std::snprintf(text, sizeof text, "%s, %lu cores, %.1f GB memory", runsOn.c_str(),
                  system.dwNumberOfProcessors,
                  static_cast<double>(memory.ullTotalPhys) / (1ull << 30));
    return text;
}

// The child's part in a cold run: one complete report, its milliseconds on stdout.
int coldChild() {
    std::string fault;
    double ms = timeCompleteOnce(fault);
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ComApartment com;
    if (argc == 2 && std::wstring_view(argv[1]) == kColdFlag) return coldChild();

    const std::wstring x64 = besideMe(L"Kavrona.exe");
    const std::wstring x86 = besideMe(L"..\\windows-x86\\Kavrona.exe");
    std::vector<std::string> faults;

    SectionTimings sections = timeSections(kSectionRounds);
    faults.insert(faults.end(), sections.faults.begin(), sections.faults.end());
    Samples warm = timeCompleteWarm(kWarmRuns, faults);
    ColdReports cold = timeColdReports(ownPath(), kColdRuns, faults);
    StartUps startUp = timeStartUp(x64, kStartUps, faults);
    Samples wmic = timeWmic(kWmicRuns, faults);
    std::optional<MemoryFigures> memory = memoryAfterReport(x64, faults);

    printHeading(machine());
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
    printRow(startUp.shown);
    printRow(startUp.answering);
    printRow(wmic);
    std::printf("\n");
    printLine("sections without WMI, sum of medians", milliseconds(sectionsMs));
    const double windowsMs = sections.adapterCalls.median() + sections.driveCalls.median();
    printLine("  of which Windows calls (medians)", milliseconds(windowsMs));
    if (!wmic.empty() && !cold.wholeProcess.empty()) {
        char ratio[64];
        std::snprintf(ratio, sizeof ratio, "%.2f (medians, both whole processes)",
                      cold.wholeProcess.median() / wmic.median());
        printLine("cold complete report / wmic", ratio);
    }
    printSizes(x64, x86);
    if (memory) {
        printLine("private bytes, main window shown", megabytes(memory->atStart.privateBytes));
        printLine("private bytes, after a complete report",
                  megabytes(memory->afterReport.privateBytes));
        printLine("peak working set, after a complete report",
                  megabytes(memory->afterReport.peakWorkingSet));
    }

    std::optional<uint64_t> shipped = fileSize(x86);
    std::vector<Target> targets{
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
    printTargets(targets);
    for (const std::string& f : faults) std::printf("fault: %s\n", f.c_str());
    bool met = std::all_of(targets.begin(), targets.end(), [](const Target& t) { return t.met; });
    return faults.empty() && met ? 0 : 1;
}
