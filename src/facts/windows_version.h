#pragma once
// The Windows version: the version box and the first section of the complete report.

#include <string>

#include "facts/record.h"
#include "platform/system_info.h"
#include "platform/version.h"

struct WindowsVersion {
    VersionRecord record;     // as the system filled it
    std::string servicePack;  // up to its first NUL, UTF-8
    bool read = false;        // false: the call failed and the record is as offered
};

WindowsVersion gatherWindowsVersion(VersionInfo& version);
// The name from the version table alone; "Chyba" for an unknown platform.
std::string windowsName(const VersionRecord& record);
// 64 or 32 for the system's own architecture (SystemInfoRecord's code); 0 for one the
// program does not know.
int windowsBits(uint16_t processorArchitecture);
// The name from the version table, " - ", then the service pack.
std::string GetWindowsVersionName(const WindowsVersion& found);

// "windows" as GetVersionEx and GetNativeSystemInfo give it.
Json windowsRecord(VersionInfo& version, SystemInfo& system);
