#pragma once
// Kavrona against the scripted services and the headless view: the base of the tests
// that drive the program's windows without Windows. Each test starts it (k.start())
// once its script is ready.

#include <gtest/gtest.h>

#include "app/kavrona.h"
#include "platform/platform_fake.h"
#include "ui/view.h"

struct FakeKavrona : testing::Test {
    FakePlatform fake;
    HeadlessView view;
    Kavrona k{fake.platform(), view};
};
