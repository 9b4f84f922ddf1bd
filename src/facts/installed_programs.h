#pragma once
// The programs Programs and Features lists: the uninstall keys of the machine, in both
// registries of 64-bit Windows, and of the running user.

#include "facts/record.h"
#include "platform/registry.h"
#include "platform/system_info.h"

inline constexpr const char* kUninstallKey =
    R"(Software\Microsoft\Windows\CurrentVersion\Uninstall)";

// "programs" into `record`: every entry Programs and Features would show, or null with
// the reason when a key could not be read through (never a part of the list).
void programsRecord(Json& record, Registry& registry, SystemInfo& system);
