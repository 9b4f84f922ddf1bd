#pragma once
// The local date and time, in the user's own formats, and with its offset from UTC.

#include <cstdint>
#include <optional>
#include <string>

struct LocalStamp {
    uint16_t hour = 0, minute = 0, second = 0;
    std::string shortDate;  // the system's short date format, UTF-8
    std::string longTime;   // the system's long time format, UTF-8
};

struct ZonedStamp {
    uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    // Local time minus UTC. Nothing when the time zone could not be read: the date and
    // time are then UTC's.
    std::optional<int32_t> utcOffsetMinutes;
};

struct Clock {
    virtual ~Clock() = default;
    virtual LocalStamp now() = 0;  // date and time of one and the same moment
    virtual ZonedStamp zonedNow() = 0;
};

struct Win32Clock : Clock {
    LocalStamp now() override;
    ZonedStamp zonedNow() override;
};
