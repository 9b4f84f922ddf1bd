#pragma once
// The runtime's windows as real Win32 windows with the standard controls, placed
// from the layouts and scaled for the monitor's DPI.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/fonts_win32.h"
#include "ui/view.h"

struct Win32View;

// What the view keeps for one of the program's windows. It lives as long as the
// view, so a handler whose event unloaded its own window may still look at it.
struct NativeWindow {
    NativeWindow(Window& window, Win32View& view, FontCache& fonts)
        : window(window), view(view), fonts(fonts) {}
    Window& window;
    Win32View& view;
    FontCache& fonts;     // the view's, which outlive every control
    HWND hwnd = nullptr;  // while loaded
    UINT dpi = 96;
    bool writing = false;  // the program is setting a control's text: its EN_CHANGE is ours
    // A message box stands and has disabled the window: its show, its activation or a
    // close that came meanwhile waits until the box has closed.
    bool waitsForBox = false;
    bool closeHeld = false;
    std::vector<HWND> boxesAside;  // boxes hidden while the program writes them
};

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
    void presentLater(Application& app) override;
    void presented(Window& window) override;
    void activated(Window& window) override;
    void changed(Control& control) override;
    void focused(Control& control) override;
    void ended() override;

    // Asks for the windows to be presented once the message now handled is done: the
    // posted message comes before anything paints, and a message box's own loop takes it.
    void presentSoon();
    // The message has come: the boxes put aside show again, a close that waited for a
    // box is made, and the runtime presents its windows.
    void presentNow();

  private:
    NativeWindow& nativeOf(Window& window);
    void createControls(NativeWindow& w);

    HINSTANCE instance_;
    ViewTexts texts_;
    std::wstring className_;
    FontCache fonts_;
    std::vector<std::unique_ptr<NativeWindow>> windows_;
    HWND presenter_ = nullptr;  // a message-only window that takes the posted message
    Application* app_ = nullptr;
    bool presentPosted_ = false;
};
