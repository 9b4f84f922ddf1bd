#include "ui/fonts_win32.h"

#include <cstdlib>

#include "ui/dpi_win32.h"

namespace {

int emHeight(HFONT font) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight - metrics.tmInternalLeading;
}

FontHandle boldFont(UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(825, static_cast<int>(dpi), 7200);  // 8.25 pt
    font.lfWeight = FW_BOLD;
    font.lfCharSet = EASTEUROPE_CHARSET;
    lstrcpynW(font.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
    FontHandle given(CreateFontIndirectW(&font));
    if (std::abs(emHeight(given.get()) + font.lfHeight) <= 1) return given;
    // "MS Sans Serif" is a bitmap font made in a few sizes for 96 DPI; at other DPIs
    // its TrueType twin draws the same letters at the size asked for.
    lstrcpynW(font.lfFaceName, L"Microsoft Sans Serif", LF_FACESIZE);
    return FontHandle(CreateFontIndirectW(&font));
}

}  // namespace

const DpiFonts& FontCache::at(UINT dpi) {
    auto found = fonts_.find(dpi);
    if (found != fonts_.end()) return found->second;
    LOGFONTW dialog = dialogFont(dpi);
    return fonts_[dpi] = DpiFonts{FontHandle(CreateFontIndirectW(&dialog)), boldFont(dpi)};
}
