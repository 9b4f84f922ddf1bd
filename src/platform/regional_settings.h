#pragma once
// The user's regional settings.

#include <optional>
#include <string>

struct RegionalSettings {
    virtual ~RegionalSettings() = default;
    // Such as "," under Czech settings; nothing when the system cannot say.
    virtual std::optional<std::string> decimalSeparator() = 0;
};

struct Win32RegionalSettings : RegionalSettings {
    std::optional<std::string> decimalSeparator() override;
};
