// kavrona-drive: drives a running Kavrona from the command line, as a user would.
// Exit status 0 when done, 1 when the program did not do as asked in time, 2 on a
// wrong command line.

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/utf16_win32.h"
#include "support/automation_win32.h"

namespace {

using namespace automation;

constexpr const char* kUsage =
    "usage: kavrona-drive [--timeout SECONDS] COMMAND\n"
    "  wait-main                  wait for the main window\n"
    "  wait-window CAPTION        wait for a window\n"
    "  click CAPTION BUTTON       press a button of a window\n"
    "  wait-focus CAPTION BUTTON  wait until the window is the active one and its button\n"
    "                             has the focus; a message box that shows meanwhile is\n"
    "                             read (on standard error) and answered with OK\n"
    "  text CAPTION CONTROL       print a control's text as UTF-8; CONTROL is its index\n"
    "                             among all controls, or a class and index, as in Edit:0\n"
    "  press-box [ID]             print a message box's text, press its OK (or ID) button\n"
    "  close                      press \"Zavřít\" and wait for the program to end\n";

void write(DWORD handle, const std::string& text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(handle), text.data(), static_cast<DWORD>(text.size()), &written,
              nullptr);
}

int fail(const std::string& why) {
    write(STD_ERROR_HANDLE, "kavrona-drive: " + why + "\n");
    return 1;
}

std::string_view captionOf(std::string_view name) {
    for (const ControlRow& row : kForm1Layout.controls)
        if (row.name == name) return row.text;
    return {};
}

struct Drive {
    std::vector<std::string> args;
    Patience patience = kPatience;

    HWND window(const std::string& caption) const { return waitForWindow(caption, 0, patience); }

    int waitWindow(const std::string& caption) const {
        return window(caption) ? 0 : fail("no window \"" + caption + "\"");
    }

    int click(const std::string& caption, const std::string& button) const {
        HWND w = window(caption);
        if (!w) return fail("no window \"" + caption + "\"");
        HWND b = childWithText(w, "Button", button);
        return press(b) ? 0 : fail("no button \"" + button + "\" in \"" + caption + "\"");
    }

    int waitFocus(const std::string& caption, const std::string& button) const {
        auto ready = [&] {
            answerMessageBox();
            HWND w = findWindow(caption);
            HWND b = w ? childWithText(w, "Button", button) : nullptr;
            return b && activeOf(w) == w && focusOf(w) == b;
        };
        return waitFor(ready, patience)
                   ? 0
                   : fail("\"" + button + "\" in \"" + caption + "\" has not got the focus");
    }

    void answerMessageBox() const {
        std::optional<MessageBoxShown> box = waitForMessageBox(0, Patience(0));
        if (!box) return;
        write(STD_ERROR_HANDLE,
              "kavrona-drive: message box \"" + box->title + "\": " + box->text + "\n");
        if (pressBoxButton(box->hwnd)) waitUntilGone(box->hwnd, patience);
    }

    int text(const std::string& caption, const std::string& control) const {
        HWND w = window(caption);
        if (!w) return fail("no window \"" + caption + "\"");
        size_t colon = control.find(':');
        std::string className = colon == std::string::npos ? "" : control.substr(0, colon);
        std::string index = colon == std::string::npos ? control : control.substr(colon + 1);
        char* end = nullptr;
        unsigned long n = std::strtoul(index.c_str(), &end, 10);
        if (index.empty() || *end) return fail("not a control: " + control);
        HWND c = nthChild(w, className, n);
        if (!c) return fail("no control " + control + " in \"" + caption + "\"");
        write(STD_OUTPUT_HANDLE, textOf(c));
        return 0;
    }

    int pressBox(int id) const {
        std::optional<MessageBoxShown> box = waitForMessageBox(0, patience);
        if (!box) return fail("no message box");
        write(STD_OUTPUT_HANDLE, box->text + "\n");
        if (!pressBoxButton(box->hwnd, id)) return fail("no button " + std::to_string(id));
        return waitUntilGone(box->hwnd, patience) ? 0 : fail("the message box stays");
    }

    int close() const {
        std::string caption(kForm1Layout.caption);
        HWND w = window(caption);
        if (!w) return fail("no window \"" + caption + "\"");
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
        if (!process) return fail("cannot watch the program");
        bool pressed = press(childWithText(w, "Button", std::string(captionOf("cmd_End"))));
        DWORD waited = pressed ? WaitForSingleObject(process, static_cast<DWORD>(patience.count()))
                               : WAIT_FAILED;
        CloseHandle(process);
        if (!pressed) return fail("no close button");
        return waited == WAIT_OBJECT_0 ? 0 : fail("the program is still running");
    }

    int run() {
        if (args.size() >= 2 && args[0] == "--timeout") {
            patience = Patience(static_cast<long long>(std::atof(args[1].c_str()) * 1000));
            args.erase(args.begin(), args.begin() + 2);
        }
        const std::string command = args.empty() ? "" : args[0];
        const size_t n = args.size();
        if (command == "wait-main" && n == 1) return waitWindow(std::string(kForm1Layout.caption));
        if (command == "wait-window" && n == 2) return waitWindow(args[1]);
        if (command == "click" && n == 3) return click(args[1], args[2]);
        if (command == "wait-focus" && n == 3) return waitFocus(args[1], args[2]);
        if (command == "text" && n == 3) return text(args[1], args[2]);
        if (command == "press-box" && n <= 2)
            return pressBox(n == 2 ? std::atoi(args[1].c_str()) : IDOK);
        if (command == "close" && n == 1) return close();
        write(STD_ERROR_HANDLE, kUsage);
        return 2;
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Drive drive;
    for (int i = 1; i < argc; ++i) drive.args.push_back(narrow(argv[i]));
    return drive.run();
}
