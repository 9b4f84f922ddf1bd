#pragma once
// Timings of whole processes started from here: Kavrona.exe with its real view, the
// benchmark itself in a fresh process, and wmic as the reference.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "samples.h"

// A program with windows, timed as the user sees it: from CreateProcess until its
// main window is visible, and, when it has Kavrona's main window, from a press of
// "Zobraz kompletní info" until the processor window is visible and filled and the
// program answers again; the first press in the process is cold, the others warm.
struct OnScreen {
    std::string name;
    std::wstring path;
    std::wstring caption;  // of its main window
    bool hasReport = true;
    Samples startUp, cold, warm;
    // Each of its turns also runs `path SWITCH file` for each of these, timed from
    // CreateProcess until it has ended: a record without a window, its start included.
    // Each run appends its record to the file.
    struct Record {
        std::wstring switchName, file;
        Samples times;
    };
    std::vector<Record> records;
};
// Each round starts each program once, in turns, so that whatever else runs on the
// machine slows them alike.
void timeOnScreen(std::vector<OnScreen>& programs, int rounds, int warmPresses,
                  std::vector<std::string>& faults);

// `wmic cpu get name`, from its start to its end.
Samples timeWmic(int count, std::vector<std::string>& faults);

// The benchmark started again with a flag, `count` times: the whole process, and
// the milliseconds it printed for what it timed inside.
struct ChildTimings {
    Samples wholeProcess, inProcess;
};
inline constexpr const wchar_t* kColdFlag = L"--cold-complete";  // one complete report
inline constexpr const wchar_t* kWmiFlag = L"--wmi-first";       // WMI's first connection
ChildTimings timeChildren(const std::wstring& bench, const wchar_t* flag, const std::string& name,
                          int count, std::vector<std::string>& faults);

struct MemoryCounters {
    uint64_t privateBytes = 0;
    uint64_t peakWorkingSet = 0;
};
// Kavrona.exe's counters, read from outside, once its main window shows and again
// once the processor window of a complete report is filled.
struct MemoryFigures {
    MemoryCounters atStart, afterReport;
};
std::optional<MemoryFigures> memoryAfterReport(const std::wstring& kavrona,
                                               std::vector<std::string>& faults);
