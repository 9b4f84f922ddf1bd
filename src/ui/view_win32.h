#pragma once
// The runtime's windows as real Win32 windows with the standard controls, placed
// from the layouts and scaled for the monitor's DPI.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/fonts_win32.h"
#include "ui/view.h"

// What the view keeps for one of the program's windows. It lives as long as the
// view, so a handler whose event unloaded its own window may still look at it.
struct NativeWindow {
    NativeWindow(Window& window, FontCache& fonts) : window(window), fonts(fonts) {}
    Window& window;
    FontCache& fonts;     // the view's, which outlive every control
    HWND hwnd = nullptr;  // while loaded
    UINT dpi = 96;
    bool writing = false;  // the program is setting a control's text: its EN_CHANGE is ours
    // Held back until the message that made the change is done, and while a message
    // box stands, until it has closed:
    bool heldBack = false;         // the message to do it is on its way
    bool showHeld = false;         // its show
    bool activateHeld = false;     // its activation, after the show
    bool closeHeld = false;        // a close that came while a box stood
    std::vector<HWND> boxesAside;  // boxes hidden while the program writes them
};

// Asks for what `w` holds back to be done once the message now handled is done.
void holdBack(NativeWindow& w);

// The program's own words where the view has to speak for it, UTF-8.
struct ViewTexts {
    std::string programName;        // the failure box's title; its window class is named after it
    std::string cannotOpenWindows;  // the failure box's text
    std::string errorCode;          // before the system's error code in it
};

struct Win32View : View {
    Win32View(HINSTANCE instance, ViewTexts texts);

    // Registers the class of the program's windows; says why when it cannot.
    bool registerClass();
    // Tab, Shift+Tab, Enter and Space in the program's windows. True when `msg` was
    // used up and must not be dispatched.
    bool dialogMessage(MSG& msg);

    void created(Window& window) override;
    void destroyed(Window& window) override;
    void shown(Window& window) override;
    void activated(Window& window) override;
    void changed(Control& control) override;
    void focused(Control& control) override;
    void ended() override;

  private:
    NativeWindow& nativeOf(Window& window);
    void createControls(NativeWindow& w);

    HINSTANCE instance_;
    ViewTexts texts_;
    std::wstring className_;
    FontCache fonts_;
    std::vector<std::unique_ptr<NativeWindow>> windows_;
};
