// Kavrona's start: the process made safe to run unattended, then the common controls,
// the real services and the Win32 view, and the message loop until the last window is
// unloaded. COM starts with the first WMI connection, and stops when the services go. A
// switch on the command line runs without any of the window's start instead.

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "app/command_line.h"
#include "app/kavrona.h"
#include "app/without_window.h"
#include "platform/error_mode_win32.h"
#include "platform/late_bound_win32.h"
#include "platform/platform_win32.h"
#include "platform/utf16_win32.h"
#include "ui/view_win32.h"

namespace {

// As the C runtime split the command line at start; CommandLineToArgvW would load
// shell32 at every start.
std::vector<std::string> arguments() {
    std::vector<std::string> out;
    for (int i = 1; i < __argc; ++i) out.push_back(narrow(__wargv[i]));
    return out;
}

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
    // Before anything loads a DLL by name: a DLL planted beside the program or in the
    // current folder must not come into a process that may run as SYSTEM, as far as
    // the loader can be told so.
    narrowProcessDllSearch();
    turnOffErrorBoxes();
    if (CommandLine line = readCommandLine(arguments()); line.ask != CommandLine::Ask::Window) {
        Win32Console console;
        Win32Platform os;
        os.files.busyPatience = kBusyFilePatienceUnattended;
        return runWithoutWindow(line, os.platform(), console);
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Win32View view(instance, {"Kavrona", "Kavrona nemůže otevřít svá okna", "chyba"});
    if (!view.registerClass()) return 1;

    Win32Platform os;
    Kavrona program(os.platform(), view);
    program.start();
    return program.app.running() ? runMessageLoop(view) : 0;
}
