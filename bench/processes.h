#pragma once
// Timings of whole processes started from here: Kavrona.exe with its real view, the
// benchmark itself in a fresh process, and wmic as the reference.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "samples.h"

// From CreateProcess until Kavrona's main window is visible, and until it answers a
// message: the program has finished starting and waits for the user.
struct StartUps {
    Samples shown, answering;
};
StartUps timeStartUp(const std::wstring& kavrona, int count, std::vector<std::string>& faults);

// `wmic cpu get name`, from its start to its end.
Samples timeWmic(int count, std::vector<std::string>& faults);

struct ColdReports {
    Samples wholeProcess;  // the benchmark started with `coldFlag` until it ends
    Samples inProcess;     // the press alone, as the child measured it
};
inline constexpr const wchar_t* kColdFlag = L"--cold-complete";
ColdReports timeColdReports(const std::wstring& bench, int count, std::vector<std::string>& faults);

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
