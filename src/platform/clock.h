#pragma once
// The local date and time, in the user's own formats.

#include <cstdint>
#include <string>

struct LocalStamp {
    uint16_t hour = 0, minute = 0, second = 0;
    std::string shortDate;  // the system's short date format, UTF-8
    std::string longTime;   // the system's long time format, UTF-8
};

struct Clock {
    virtual ~Clock() = default;
    virtual LocalStamp now() = 0;  // date and time of one and the same moment
};

struct Win32Clock : Clock {
    LocalStamp now() override;
};
