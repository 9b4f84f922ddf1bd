#pragma once
// A window on the running program's thread that the program did not make: made there
// by the guest DLL (guest_window_dll.c), hooked onto the thread.

#include <windows.h>

#include <optional>
#include <string>

// The guest DLL beside the test program.
std::wstring guestDllPath();

class GuestWindow {
  public:
    static std::optional<GuestWindow> madeBeside(HWND window);
    GuestWindow(GuestWindow&& other) noexcept;
    GuestWindow(const GuestWindow&) = delete;
    GuestWindow& operator=(const GuestWindow&) = delete;
    ~GuestWindow();
    HWND hwnd() const { return hwnd_; }

  private:
    GuestWindow(HMODULE dll, HHOOK hook, HWND hwnd) : dll_(dll), hook_(hook), hwnd_(hwnd) {}
    HMODULE dll_;
    HHOOK hook_;
    HWND hwnd_;
};
