#pragma once
// The Windows version: the version box and the first section of the complete report.

#include <string>

#include "platform/code_page.h"
#include "platform/version.h"

struct WindowsVersion {
    VersionRecord record;     // as the system filled it
    std::string servicePack;  // up to its first NUL, UTF-8
};

WindowsVersion gatherWindowsVersion(VersionInfo& version, CodePage& ansi);
// The name from the version table, " - ", then the service pack.
std::string GetWindowsVersionName(const WindowsVersion& found);
