#include <windows.h>

#include "platform/clock.h"

namespace {

template <typename Format>
std::string formatted(Format format) {
    int n = format(nullptr, 0);
    if (n <= 0) return {};
    std::string text(static_cast<size_t>(n), '\0');
    n = format(text.data(), n);
    text.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    return text;
}

}  // namespace

LocalStamp Win32Clock::now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    LocalStamp stamp;
    stamp.hour = st.wHour;
    stamp.minute = st.wMinute;
    stamp.second = st.wSecond;
    stamp.shortDate = formatted([&](char* buffer, int size) {
        return GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, size);
    });
    stamp.longTime = formatted([&](char* buffer, int size) {
        return GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, size);
    });
    return stamp;
}
