#include "app/guest_window_win32.h"

#include <utility>

#include "support/automation_win32.h"

std::wstring guestDllPath() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.rfind(L'\\') + 1) + L"kavrona-guest.dll";
}

namespace {

// A function, not a lambda: 32-bit Windows calls it as __stdcall.
BOOL CALLBACK findGuest(HWND hwnd, LPARAM found) {
    if (automation::textOf(hwnd) != "Kavrona guest") return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

}  // namespace

std::optional<GuestWindow> GuestWindow::madeBeside(HWND window) {
    HMODULE dll = LoadLibraryW(guestDllPath().c_str());
    auto hook = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(dll ? GetProcAddress(dll, "guestHook") : nullptr));
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    HHOOK hooked = hook ? SetWindowsHookExW(WH_CALLWNDPROC, hook, dll, thread) : nullptr;
    HWND made = nullptr;
    DWORD_PTR result = 0;
    if (hooked && SendMessageTimeoutW(window, RegisterWindowMessageW(L"KavronaGuestWindow"), 0, 0,
                                      SMTO_ABORTIFHUNG, 5000, &result)) {
        automation::waitFor([&] {
            EnumThreadWindows(thread, findGuest, reinterpret_cast<LPARAM>(&made));
            return made != nullptr;
        });
    }
    if (made) return GuestWindow(dll, hooked, made);
    if (hooked) UnhookWindowsHookEx(hooked);
    if (dll) FreeLibrary(dll);
    return std::nullopt;
}

GuestWindow::GuestWindow(GuestWindow&& other) noexcept
    : dll_(std::exchange(other.dll_, nullptr)),
      hook_(std::exchange(other.hook_, nullptr)),
      hwnd_(other.hwnd_) {}

GuestWindow::~GuestWindow() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (dll_) FreeLibrary(dll_);
}
