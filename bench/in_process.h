#pragma once
// Timings inside this process: Kavrona on the real services with the headless view,
// its message boxes recorded instead of shown.

#include <string>
#include <vector>

#include "samples.h"

struct SectionTimings {
    std::vector<Samples> sections;  // the five without WMI, in report order
    Samples procesor;               // the processor window's load, WMI connected before
    // What the two costly sections ask of Windows, with none of the program around it:
    // the adapter list, and each probed drive's volume, space and type.
    Samples adapterCalls, driveCalls;
    std::vector<std::string> faults;
};

// Each producer alone (the step box put at its number without the dispatcher), and
// the Windows calls alone, in turns: each round times each once, so that a machine
// busy with something else slows them alike.
SectionTimings timeSections(int rounds);

// "Zobraz kompletní info" pressed `count` times after a first, untimed press, which
// makes this process's first connection to WMI.
Samples timeCompleteWarm(int count, std::vector<std::string>& faults);

// One press in a process that has not connected to WMI yet; its milliseconds, or a
// negative figure with `fault` set when the report did not come out whole.
double timeCompleteOnce(std::string& fault);

// COM started, WMI connected and the processors listed, in a process that has done
// none of it yet: what the first complete report pays for WMI.
double timeWmiFirst(std::string& fault);
