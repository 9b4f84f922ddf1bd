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
    Kavrona k{real.platform(dialogs), view};
    RealProgram() { k.start(); }
};
