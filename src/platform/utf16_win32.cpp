#include "platform/utf16_win32.h"

#include <windows.h>

namespace {

std::wstring toUtf16(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    int n =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

}  // namespace

std::wstring widen(std::string_view utf8) {
    return toUtf16(CP_UTF8, utf8);
}

std::wstring widenAnsi(std::string_view ansi) {
    return toUtf16(CP_ACP, ansi);
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr,
                                0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}
