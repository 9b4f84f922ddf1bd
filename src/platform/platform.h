#pragma once
// Every Windows service the program calls on, in one place.

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/directories.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/network_adapters.h"
#include "platform/physical_memory.h"
#include "platform/printer.h"
#include "platform/program_folder.h"
#include "platform/regional_settings.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"
#include "platform/user_name.h"
#include "platform/version.h"
#include "platform/volumes.h"
#include "platform/wmi.h"

struct Platform {
    VersionInfo& version;
    UserName& user;
    Environment& environment;
    Dialogs& dialogs;
    Shell& shell;
    ProgramFolder& folder;
    Printer& printer;
    Files& files;
    Clock& clock;
    SystemInfo& system;
    Directories& directories;
    Wmi& wmi;
    NetworkAdapters& network;
    Registry& registry;
    PhysicalMemory& memory;
    Volumes& volumes;
    RegionalSettings& regional;
};
