#include <windows.h>

#include <string>

#include "activation_loop.h"
#include "platform/utf16_win32.h"
#include "support/automation_win32.h"

namespace {

using namespace automation;

constexpr const char* kMainCaption = "Kavrona - www.kavrona.cz";
constexpr const char* kProcesorCaption = "Procesor:";
constexpr const char* kWrite = "Zapsat a zavřít";
constexpr const char* kSave = "Uložit do souboru ...";
constexpr Patience kFrontPatience{10000};

std::string caption(HWND hwnd) {
    if (!hwnd) return "none";
    std::string quoted(1, '"');
    quoted += textOf(hwnd);
    quoted += '"';
    return quoted;
}

// The processor window in front, active and with "Zapsat a zavřít" focused, and so it stays.
bool procesorInFront(HWND main, DWORD pid) {
    HWND procesor = findWindow(kProcesorCaption, pid);
    HWND write = procesor ? childWithText(procesor, "Button", kWrite) : nullptr;
    return write && GetForegroundWindow() == procesor && activeOf(main) == procesor &&
           focusOf(procesor) == write;
}

}  // namespace

ActivationLoop loopCompleteReports(const std::wstring& kavrona, int count,
                                   std::vector<std::string>& faults) {
    ActivationLoop loop;
    StartedProgram program(narrow(kavrona));
    HWND main = program.started() ? waitForWindow(kMainCaption, program.pid()) : nullptr;
    if (!main) {
        faults.push_back("activation loop: Kavrona.exe did not show its main window");
        return loop;
    }
    HWND show = childWithText(main, "Button", "Zobraz kompletní info");
    HWND save = childWithText(main, "Button", kSave);
    for (int i = 0; i < count; ++i) {
        BenchClock::time_point pressed = BenchClock::now();
        if (!press(show)) {
            faults.push_back("activation loop: the main window no longer answers");
            break;
        }
        ++loop.reports;
        const bool inFront =
            settles([&] { return procesorInFront(main, program.pid()); }, kSettle, kFrontPatience);
        HWND procesor = findWindow(kProcesorCaption, program.pid());
        if (inFront) {
            loop.toFront.ms.push_back(msSince(pressed) - static_cast<double>(kSettle.count()));
        } else {
            loop.misses.push_back("report " + std::to_string(i + 1) + ": foreground " +
                                  caption(GetForegroundWindow()) + ", active " +
                                  caption(activeOf(main)) + ", focus " + caption(focusOf(main)));
        }
        if (!procesor || !press(childWithText(procesor, "Button", kWrite)) ||
            !waitFor([&] { return !IsWindow(procesor) && focusOf(main) == save; })) {
            faults.push_back("activation loop: report " + std::to_string(i + 1) +
                             ": \"Zapsat a zavřít\" did not hand back to the main window");
            break;
        }
    }
    return loop;
}
