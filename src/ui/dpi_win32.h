#pragma once
// Dots per inch and what depends on them: window frames and the dialog font.

#include <windows.h>

inline constexpr UINT kBaseDpi = 96;

// Sent from Windows 8.1 on to a window moved to a monitor of another DPI; the headers
// name it only above the program's floor of Vista.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The layout's twips in pixels at `dpi`.
inline int twipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

UINT dpiOfWindow(HWND hwnd);
// The outer size of a window whose client area is `width` × `height` pixels.
SIZE frameSizeForClient(int width, int height, DWORD style, DWORD exStyle, UINT dpi);
// The system's message font, the one dialogs use, at `dpi`.
LOGFONTW dialogFont(UINT dpi);
