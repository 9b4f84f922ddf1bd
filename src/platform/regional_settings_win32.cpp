#include <windows.h>

#include "platform/regional_settings.h"

std::optional<std::string> Win32RegionalSettings::decimalSeparator() {
    char buffer[8] = {};  // the setting holds at most three characters
    int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer);
    if (n <= 0) return std::nullopt;
    return std::string(buffer, static_cast<size_t>(n - 1));
}
