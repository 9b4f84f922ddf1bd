#include <windows.h>

#include <vector>

#include "platform/dialogs.h"
#include "platform/utf16_win32.h"

namespace {

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
    // The box has gone and enabled its owner again; the others follow, and the active
    // window and the focus go back where they were.
    ~ProgramDisabled() {
        for (HWND hwnd : disabled_)
            if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
        if (active_ && IsWindow(active_) && GetActiveWindow() != active_) SetActiveWindow(active_);
        if (focus_ && IsWindow(focus_) && GetFocus() != focus_) SetFocus(focus_);
    }

  private:
    // A function, not a lambda: 32-bit Windows calls it as __stdcall.
    static BOOL CALLBACK collect(HWND hwnd, LPARAM self) {
        auto* me = reinterpret_cast<ProgramDisabled*>(self);
        if (hwnd != me->owner_ && IsWindowEnabled(hwnd)) me->disabled_.push_back(hwnd);
        return TRUE;
    }

    HWND owner_, focus_, active_;
    std::vector<HWND> disabled_;
};

}  // namespace

int Win32Dialogs::messageBox(const std::string& text, int style, const std::string& title) {
    // Owned by the active window, which the box disables and enables again itself.
    HWND owner = GetActiveWindow();
    ProgramDisabled others(owner);
    return MessageBoxW(owner, widen(text).c_str(), widen(title).c_str(), static_cast<UINT>(style));
}
