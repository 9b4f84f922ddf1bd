#pragma once
// Shared by the view and the window procedure of the program's windows.

#include "ui/view_win32.h"

// A fixed frame: the layouts do not stretch.
inline constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
inline constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The control of `w` that `child` shows; null for anything else.
Control* controlOf(NativeWindow& w, HWND child);

// Fonts, control positions and the window's size for w.dpi, for a window that shows
// already. The window goes to `position` when given, otherwise centred or left where
// it is, as its layout says.
void layOut(NativeWindow& w, const POINT* position = nullptr);
