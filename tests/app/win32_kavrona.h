#pragma once
// The program on the real services, with recorded message boxes and no windows on
// screen, so that a test under Wine needs no display.

#include "app/kavrona.h"
#include "platform/platform_fake.h"
#include "platform/platform_win32.h"

struct Win32Kavrona {
    Win32Platform real;
    FakeDialogs dialogs;
    HeadlessView view;
    Platform os{real.ansi,  real.version, real.user,   real.environment,
                dialogs,    real.shell,   real.folder, real.printer,
                real.files, real.clock,   real.system, real.systemFolders};
    Kavrona k{os, view};

    Win32Kavrona() { k.start(); }
};
