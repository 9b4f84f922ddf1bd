#pragma once
// Every Windows service the program calls on, in one place.

#include "platform/code_page.h"
#include "platform/dialogs.h"
#include "platform/drives.h"
#include "platform/environment.h"
#include "platform/network_adapters.h"
#include "platform/physical_memory.h"
#include "platform/program_folder.h"
#include "platform/regional_settings.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/user_name.h"
#include "platform/version.h"

struct Platform {
    CodePage& ansi;
    VersionInfo& version;
    UserName& user;
    Environment& environment;
    Dialogs& dialogs;
    Shell& shell;
    ProgramFolder& folder;
    NetworkAdapters& network;
    Registry& registry;
    PhysicalMemory& memory;
    Drives& drives;
    RegionalSettings& regional;
};
