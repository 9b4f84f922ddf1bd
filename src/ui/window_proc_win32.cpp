// The window procedure of the program's windows: the user's doings go back to
// the runtime through its controls and windows.

#include "ui/window_proc_win32.h"

#include <windowsx.h>

#include <string>

#include "platform/utf16_win32.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/dpi_win32.h"
#include "ui/window.h"

namespace {

NativeWindow* nativeOf(HWND hwnd) {
    return reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

std::string windowText(HWND h) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

BOOL OnNCCreate(HWND hwnd, LPCREATESTRUCTW cs) {
    auto* w = static_cast<NativeWindow*>(cs->lpCreateParams);
    w->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    return FORWARD_WM_NCCREATE(hwnd, cs, DefWindowProcW);
}

void OnNCDestroy(HWND hwnd) {
    if (NativeWindow* w = nativeOf(hwnd)) w->hwnd = nullptr;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    FORWARD_WM_NCDESTROY(hwnd, DefWindowProcW);
}

// Each kind's own notification codes; the control is of its row's kind, as the
// runtime checked when it made it.
void notifyButton(CommandButton& button, UINT code) {
    if (code == BN_CLICKED) button.click();
    if (code == BN_SETFOCUS) button.setFocus();
}

void notifyLabel(Label& label, UINT code) {
    if (code == STN_CLICKED) label.click();
}

void notifyTextBox(NativeWindow& w, TextBox& box, HWND child, UINT code) {
    if (code == EN_CHANGE && !w.writing) box.setText(windowText(child));
    if (code == EN_SETFOCUS) box.setFocus();
}

void notifyListBox(ListBox& list, HWND child, UINT code) {
    if (code == LBN_SELCHANGE) list.setListIndex(ListBox_GetCurSel(child));
    if (code == LBN_SETFOCUS) list.setFocus();
}

void OnCommand(HWND hwnd, int id, HWND child, UINT code) {
    NativeWindow* w = nativeOf(hwnd);
    if (!w) return;
    // Enter comes as IDOK unless the focused button is the default one, which in a
    // window that is no dialog it is only after Tab put it there.
    if (id == IDOK && !child) {
        Control* focus = controlOf(*w, GetFocus());
        if (focus && focus->row.kind == ControlKind::CommandButton)
            static_cast<CommandButton*>(focus)->click();
        return;
    }
    Control* c = controlOf(*w, child);
    if (!c) return;
    switch (c->row.kind) {
        case ControlKind::CommandButton:
            notifyButton(static_cast<CommandButton&>(*c), code);
            break;
        case ControlKind::Label:
            notifyLabel(static_cast<Label&>(*c), code);
            break;
        case ControlKind::TextBox:
            notifyTextBox(*w, static_cast<TextBox&>(*c), child, code);
            break;
        case ControlKind::ListBox:
            notifyListBox(static_cast<ListBox&>(*c), child, code);
            break;
    }
}

void OnActivate(HWND hwnd, UINT state, HWND, BOOL minimized) {
    NativeWindow* w = nativeOf(hwnd);
    if (!w || state == WA_INACTIVE || minimized) return;
    w->window.app.activate(w->window);  // may unload the window
    // A window that is no dialog does not give the focus back to its controls itself,
    // after a message box for instance.
    Control* focus = w->window.focus();
    HWND target = focus && focus->native ? static_cast<HWND>(focus->native) : w->hwnd;
    if (target && GetFocus() != target) SetFocus(target);
}

void OnClose(HWND hwnd) {
    NativeWindow* w = nativeOf(hwnd);
    if (!w) return;
    // A close posted while a message box stands waits for the box: unloading may move
    // the focus, which would take the activation from the box.
    if (!IsWindowEnabled(hwnd)) {
        w->closeHeld = true;
        return;
    }
    // The runtime unloads the window, and the view destroys it then.
    w->window.unload();
}

// A box has closed and enabled the window again: what waited for it follows once the
// box's caller is done, so that it does not fight the box's own return of the activation.
void OnEnable(HWND hwnd, BOOL enabled) {
    NativeWindow* w = nativeOf(hwnd);
    if (w && enabled && (w->waitsForBox || w->closeHeld)) w->view.presentSoon();
}

HBRUSH OnCtlColorStatic(HWND hwnd, HDC dc, HWND child, int) {
    NativeWindow* w = nativeOf(hwnd);
    Control* c = w ? controlOf(*w, child) : nullptr;
    if (!c || !(c->row.style & kBlue))
        return FORWARD_WM_CTLCOLORSTATIC(hwnd, dc, child, DefWindowProcW);
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

BOOL OnSetCursor(HWND hwnd, HWND under, UINT hitTest, UINT msg) {
    NativeWindow* w = nativeOf(hwnd);
    Control* c = w ? controlOf(*w, under) : nullptr;
    if (c && (c->row.style & kBlue) && hitTest == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return FORWARD_WM_SETCURSOR(hwnd, under, hitTest, msg, DefWindowProcW);
}

// Moved to a monitor of another DPI: the same layout, drawn at the new scale.
void OnDpiChanged(HWND hwnd, UINT dpi, const RECT* suggested) {
    NativeWindow* w = nativeOf(hwnd);
    if (!w) return;
    w->dpi = dpi;
    POINT at{suggested->left, suggested->top};
    layOut(*w, &at);
}

}  // namespace

Control* controlOf(NativeWindow& w, HWND child) {
    if (!child) return nullptr;
    for (Control* c : w.window.controls())
        if (c->native == child) return c;
    return nullptr;
}

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        HANDLE_MSG(hwnd, WM_NCCREATE, OnNCCreate);
        HANDLE_MSG(hwnd, WM_NCDESTROY, OnNCDestroy);
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_ACTIVATE, OnActivate);
        HANDLE_MSG(hwnd, WM_CLOSE, OnClose);
        HANDLE_MSG(hwnd, WM_ENABLE, OnEnable);
        HANDLE_MSG(hwnd, WM_CTLCOLORSTATIC, OnCtlColorStatic);
        HANDLE_MSG(hwnd, WM_SETCURSOR, OnSetCursor);
        case WM_DPICHANGED:
            OnDpiChanged(hwnd, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
