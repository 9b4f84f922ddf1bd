#include "platform/code_page_win32.h"

#include <windows.h>

#include "platform/utf16_win32.h"

std::string fromAnsi(std::string_view ansi) {
    return narrow(widenAnsi(ansi));
}

AnsiText toAnsi(std::string_view utf8) {
    if (GetACP() == CP_UTF8) return {std::string(utf8), false};
    std::wstring wide = widen(utf8);
    if (wide.empty()) return {};
    // No best-fit letters (ř to r): a caller must be able to tell that the text changed.
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    AnsiText out;
    out.bytes.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        out.bytes.data(), n, nullptr, &usedDefault);
    out.lossy = usedDefault != FALSE;
    return out;
}
