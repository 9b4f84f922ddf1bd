#pragma once
// Windows as an administrator names it: product, edition, feature release, build with
// its update revision, when it was installed and last started, its language.

#include "facts/record.h"
#include "facts/wmi_record.h"
#include "platform/registry.h"

inline constexpr const char* kCurrentVersionKey = R"(SOFTWARE\Microsoft\Windows NT\CurrentVersion)";

// Into `windows`: the CurrentVersion key's values and Win32_OperatingSystem's.
void windowsDetailRecord(Json& windows, Registry& registry, WmiSession& session);
