#pragma once
// The real services.

#include "platform/platform.h"
#include "platform/shell_com_win32.h"
#include "platform/wmi.h"

struct Win32Platform {
    Win32VersionInfo version;
    Win32UserName user;
    Win32Environment environment;
    Win32Dialogs dialogs;
    ComStartingShell shell;  // COM, at the first link, until this goes
    Win32ProgramFolder folder;
    Win32Printer printer;
    Win32Files files;
    Win32Clock clock;
    Win32SystemInfo system;
    Win32Directories directories;
    Win32Wmi wmi;  // each connection with a thread and COM of its own
    Win32NetworkAdapters network;
    Win32Registry registry;
    Win32PhysicalMemory memory;
    Win32Volumes volumes;
    Win32RegionalSettings regional;

    Platform platform() { return platform(dialogs); }
    // The real services with message boxes shown by `boxes` instead, for tests.
    Platform platform(Dialogs& boxes) {
        return {version, user,     environment, boxes,   shell,       folder,
                printer, files,    clock,       system,  directories, wmi,
                network, registry, memory,      volumes, regional};
    }
};
