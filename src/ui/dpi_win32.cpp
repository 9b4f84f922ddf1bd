#include "ui/dpi_win32.h"

#include "platform/late_bound_win32.h"

namespace {

// The per-monitor calls came with Windows 10, after the headers' floor: declared here,
// and found at run time so that the program still starts on older Windows, where the
// system DPI is all there is.
using GetDpiForWindowCall = UINT WINAPI(HWND);
using AdjustWindowRectExForDpiCall = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiCall = BOOL WINAPI(UINT, UINT, void*, UINT, UINT);

template <typename Function>
Function* user32Function(const char* name) {
    return lateBound<Function>(L"user32.dll", name);
}

UINT systemDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

}  // namespace

UINT dpiOfWindow(HWND hwnd) {
    static auto forWindow = user32Function<GetDpiForWindowCall>("GetDpiForWindow");
    UINT dpi = forWindow ? forWindow(hwnd) : 0;
    return dpi ? dpi : systemDpi();
}

SIZE frameSizeForClient(int width, int height, DWORD style, DWORD exStyle, UINT dpi) {
    static auto adjust = user32Function<AdjustWindowRectExForDpiCall>("AdjustWindowRectExForDpi");
    RECT r{0, 0, width, height};
    if (!adjust || !adjust(&r, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

LOGFONTW dialogFont(UINT dpi) {
    static auto forDpi =
        user32Function<SystemParametersInfoForDpiCall>("SystemParametersInfoForDpi");
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
