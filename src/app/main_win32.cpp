// Kavrona's start: the common controls, the real services and the Win32 view, then
// the message loop until the last window is unloaded. COM starts with the first WMI
// connection, and stops when the services go.

#include <windows.h>

#include <commctrl.h>

#include "app/kavrona.h"
#include "platform/platform_win32.h"
#include "ui/view_win32.h"

namespace {

int runMessageLoop(Win32View& view) {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (view.dialogMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Win32View view(instance, {"Kavrona", "Kavrona nemůže otevřít svá okna", "chyba"});
    if (!view.registerClass()) return 1;

    Win32Platform os;
    Kavrona program(os.platform(), view);
    program.start();
    return program.app.running() ? runMessageLoop(view) : 0;
}
