#pragma once
// A clock that tells the moments a test sets, one per reading; the last one stays.

#include <deque>

#include "platform/clock.h"

struct FakeClock : Clock {
    std::deque<LocalStamp> moments{{5, 8, 5, "6.12.2026", "5:08:05"}};
    ZonedStamp zoned{2026, 12, 6, 5, 8, 5, 60};
    size_t readings = 0;
    LocalStamp now() override {
        ++readings;
        LocalStamp moment = moments.front();
        if (moments.size() > 1) moments.pop_front();
        return moment;
    }
    ZonedStamp zonedNow() override {
        ++readings;
        return zoned;
    }
};
