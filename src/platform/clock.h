#pragma once
// The local date and time, in the user's own formats.

#include <cstdint>
#include <string>

struct LocalStamp {
    uint16_t hour = 0, minute = 0, second = 0;
    std::string shortDate;  // ANSI, the system's short date format
    std::string longTime;   // ANSI, the system's long time format
};

struct Clock {
    virtual ~Clock() = default;
    virtual LocalStamp now() = 0;  // date and time of one and the same moment
};

struct Win32Clock : Clock {
    LocalStamp now() override;
};
