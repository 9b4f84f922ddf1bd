#include <windows.h>

#include <vector>

#include "platform/dialogs.h"
#include "platform/utf16_win32.h"

namespace {

// Made by the program, not by a system component on its thread (the "Default IME"
// window, for one, which the input method needs while a box stands).
bool isOurs(HWND hwnd) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE)) ==
           GetModuleHandleW(nullptr);
}

bool isOnThisThread(HWND hwnd) {
    return GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId();
}

// The program's visible window nearest the top: the owner of a box while no window of
// the program is active, as when the user has switched to another program.
HWND frontWindow() {
    for (HWND hwnd = GetTopWindow(nullptr); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT))
        if (isOnThisThread(hwnd) && isOurs(hwnd) && IsWindowVisible(hwnd)) return hwnd;
    return nullptr;
}

// While a box stands, no window of the program takes input, not only the box's owner:
// otherwise a button in another window could act under an open question.
class ProgramDisabled {
  public:
    explicit ProgramDisabled(HWND owner)
        : owner_(owner), focus_(GetFocus()), active_(GetActiveWindow()) {
        EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(this));
        for (HWND hwnd : disabled_) EnableWindow(hwnd, FALSE);
    }
    ProgramDisabled(const ProgramDisabled&) = delete;
    ProgramDisabled& operator=(const ProgramDisabled&) = delete;
    // The box has gone and enabled its owner again; the others follow. The window that
    // was active is active again, or the owner when none was, whose activation gives
    // the focus back to its control; and the focus goes back where it was.
    ~ProgramDisabled() {
        for (HWND hwnd : disabled_)
            if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
        HWND active = active_ ? active_ : owner_;
        if (active && IsWindow(active) && GetActiveWindow() != active) SetActiveWindow(active);
        if (focus_ && IsWindow(focus_) && GetFocus() != focus_) SetFocus(focus_);
    }

  private:
    // A function, not a lambda: 32-bit Windows calls it as __stdcall.
    static BOOL CALLBACK collect(HWND hwnd, LPARAM self) {
        auto* me = reinterpret_cast<ProgramDisabled*>(self);
        if (hwnd != me->owner_ && isOurs(hwnd) && IsWindowEnabled(hwnd))
            me->disabled_.push_back(hwnd);
        return TRUE;
    }

    HWND owner_, focus_, active_;
    std::vector<HWND> disabled_;
};

}  // namespace

int Win32Dialogs::messageBox(const std::string& text, int style, const std::string& title) {
    // Owned by a window of the program, which the box disables and enables again itself:
    // a box without an owner stands apart from the program, and when it closes Windows
    // finds no window of the program to activate.
    HWND owner = GetActiveWindow();
    if (!owner) owner = frontWindow();
    ProgramDisabled others(owner);
    return MessageBoxW(owner, widen(text).c_str(), widen(title).c_str(), static_cast<UINT>(style));
}
