#pragma once
// The program on the real services, except that its message boxes are recorded
// instead of shown, so that the tests need no display and no one to press OK.

#include "app/kavrona.h"
#include "platform/platform_fake.h"
#include "platform/platform_win32.h"

struct RealProgram {
    Win32Platform real;
    FakeDialogs dialogs;
    HeadlessView view;
    Platform os{.ansi = real.ansi,
                .version = real.version,
                .user = real.user,
                .environment = real.environment,
                .dialogs = dialogs,
                .shell = real.shell,
                .folder = real.folder,
                .network = real.network,
                .registry = real.registry,
                .memory = real.memory,
                .drives = real.drives,
                .regional = real.regional};
    Kavrona k{os, view};
    RealProgram() { k.start(); }
};
