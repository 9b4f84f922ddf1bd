#pragma once
// Complete reports one after another in one running Kavrona.exe, each checked as the
// user meets it: the processor window in front and active, "Zapsat a zavřít" focused.

#include <string>
#include <vector>

#include "samples.h"

struct ActivationLoop {
    int reports = 0;
    std::vector<std::string> misses;  // what was active and focused instead, per miss
    Samples toFront;                  // from the press until the window settled in front
};

ActivationLoop loopCompleteReports(const std::wstring& kavrona, int count,
                                   std::vector<std::string>& faults);
