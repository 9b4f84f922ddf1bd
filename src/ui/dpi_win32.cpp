#include "ui/dpi_win32.h"

namespace {

// The per-monitor calls came with Windows 10; looked up at run time so that the
// program still starts on older Windows, where the system DPI is all there is.
template <typename Fn>
Fn user32Function(const char* name) {
    static HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

UINT systemDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

}  // namespace

UINT dpiOfWindow(HWND hwnd) {
    static auto forWindow = user32Function<decltype(&GetDpiForWindow)>("GetDpiForWindow");
    UINT dpi = forWindow ? forWindow(hwnd) : 0;
    return dpi ? dpi : systemDpi();
}

SIZE frameSizeForClient(int width, int height, DWORD style, DWORD exStyle, UINT dpi) {
    static auto adjust =
        user32Function<decltype(&AdjustWindowRectExForDpi)>("AdjustWindowRectExForDpi");
    RECT r{0, 0, width, height};
    if (!adjust || !adjust(&r, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

LOGFONTW dialogFont(UINT dpi) {
    static auto forDpi =
        user32Function<decltype(&SystemParametersInfoForDpi)>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi))
        return metrics.lfMessageFont;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        metrics.lfMessageFont.lfHeight = MulDiv(
            metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi()));
        return metrics.lfMessageFont;
    }
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    return font;
}
