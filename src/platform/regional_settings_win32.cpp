#include <windows.h>

#include "platform/regional_settings.h"
#include "platform/utf16_win32.h"

std::optional<std::string> Win32RegionalSettings::decimalSeparator() {
    wchar_t buffer[8] = {};  // the setting holds at most three characters
    int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, std::size(buffer));
    if (n <= 0) return std::nullopt;
    return narrow(std::wstring_view(buffer, static_cast<size_t>(n - 1)));
}
