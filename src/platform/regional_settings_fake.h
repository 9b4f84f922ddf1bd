#pragma once

#include "platform/regional_settings.h"

struct FakeRegionalSettings : RegionalSettings {
    std::optional<std::string> separator = ",";
    std::optional<std::string> decimalSeparator() override { return separator; }
};
