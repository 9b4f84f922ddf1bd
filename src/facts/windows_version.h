#pragma once
// The Windows version: the version box and the first section of the complete report.

#include <string>

#include "platform/version.h"

struct WindowsVersion {
    VersionRecord record;     // as the system filled it
    std::string servicePack;  // up to its first NUL, UTF-8
};

WindowsVersion gatherWindowsVersion(VersionInfo& version);
// The name from the version table, " - ", then the service pack.
std::string GetWindowsVersionName(const WindowsVersion& found);
