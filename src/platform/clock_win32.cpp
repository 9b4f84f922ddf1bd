#include <windows.h>

#include "platform/clock.h"
#include "platform/utf16_win32.h"

namespace {

template <typename Format>
std::string formatted(Format format) {
    int n = format(nullptr, 0);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n), L'\0');
    n = format(text.data(), n);
    text.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    return narrow(text);
}

}  // namespace

LocalStamp Win32Clock::now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    LocalStamp stamp;
    stamp.hour = st.wHour;
    stamp.minute = st.wMinute;
    stamp.second = st.wSecond;
    stamp.shortDate = formatted([&](wchar_t* buffer, int size) {
        return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, size);
    });
    stamp.longTime = formatted([&](wchar_t* buffer, int size) {
        return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, size);
    });
    return stamp;
}

// Both readings come from one UTC moment, so the offset cannot straddle a second.
ZonedStamp Win32Clock::zonedNow() {
    SYSTEMTIME utc{}, local{};
    GetSystemTime(&utc);
    std::optional<int32_t> offset;
    FILETIME utcTicks{}, localTicks{};
    if (SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) &&
        SystemTimeToFileTime(&utc, &utcTicks) && SystemTimeToFileTime(&local, &localTicks)) {
        constexpr int64_t kTicksPerMinute = 600000000;  // of 100 ns
        auto ticks = [](FILETIME t) {
            return static_cast<int64_t>(
                ULARGE_INTEGER{{t.dwLowDateTime, t.dwHighDateTime}}.QuadPart);
        };
        offset = static_cast<int32_t>((ticks(localTicks) - ticks(utcTicks)) / kTicksPerMinute);
    } else {
        local = utc;
    }
    return {local.wYear,   local.wMonth,  local.wDay, local.wHour,
            local.wMinute, local.wSecond, offset};
}
