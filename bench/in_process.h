#pragma once
// Timings inside this process: Kavrona on the real services with the headless view,
// its message boxes recorded instead of shown.

#include <string>
#include <vector>

#include "samples.h"

struct SectionTimings {
    std::vector<Samples> sections;  // the five without WMI, in report order
    Samples procesor;               // the processor window's load, WMI connected before
    std::vector<std::string> faults;
};

// Each producer alone: the step box put at its number without the dispatcher.
SectionTimings timeSections(int count);

// What the two costly sections ask of Windows, with none of the program around it:
// the adapter list, and each probed drive's volume, space and type.
std::vector<Samples> timeWindowsCalls(int count);

// "Zobraz kompletní info" pressed `count` times after a first, untimed press, which
// makes this process's first connection to WMI.
Samples timeCompleteWarm(int count, std::vector<std::string>& faults);

// One press in a process that has not connected to WMI yet; its milliseconds, or a
// negative figure with `fault` set when the report did not come out whole.
double timeCompleteOnce(std::string& fault);
