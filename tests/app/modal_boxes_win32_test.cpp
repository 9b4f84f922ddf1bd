// While one of the real Kavrona.exe's message boxes stands, no window of the program
// takes input: a real mouse click on another window's button does nothing. A box that
// opens while the user is in another program belongs to Kavrona all the same, and
// gives Kavrona back its active window and focus.

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/guest_window_win32.h"
#include "app/running_kavrona_win32.h"
#include "platform/late_bound_win32.h"
#include "support/automation_win32.h"

namespace {

using namespace automation;

RECT rectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

bool overlap(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

void moveTo(HWND hwnd, int x, int y) {
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A left click at the middle of `button`, through the system's input queue as a
// mouse would make it, not a message posted to the button.
bool clickWithTheMouse(HWND button) {
    RECT r = rectOf(button);
    int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    INPUT input[3]{};
    for (INPUT& i : input) i.type = INPUT_MOUSE;
    input[0].mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input[0].mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(3, input, sizeof(INPUT)) == 3;
}

class ModalBoxes : public StartedKavrona {
  protected:
    std::string report() const { return textOf(nthChild(main_, "Edit", 0)); }

    // A complete report, with the processor window apart from the main window, so that
    // a click on its button cannot land on the other.
    HWND completeReport() {
        EXPECT_TRUE(press(mainButton("Zobraz kompletní info")));
        HWND procesor = waitForWindow("Procesor:", program_->pid());
        if (!procesor) return nullptr;
        EXPECT_TRUE(waitFor([&] { return activeOf(main_) == procesor; }));
        RECT m = rectOf(main_);
        moveTo(procesor, 0, 0);
        moveTo(main_, GetSystemMetrics(SM_CXSCREEN) - (m.right - m.left),
               GetSystemMetrics(SM_CYSCREEN) - (m.bottom - m.top));
        EXPECT_TRUE(waitFor([&] { return !overlap(rectOf(procesor), rectOf(main_)); }));
        return procesor;
    }

    // The box that `pressed` opened, moved clear of both windows; null when none showed.
    HWND openBox(HWND pressed, HWND procesor, const std::string& textStart) {
        EXPECT_TRUE(press(pressed));
        std::optional<MessageBoxShown> box = waitForMessageBox(program_->pid());
        if (!box) return nullptr;
        EXPECT_TRUE(box->text.starts_with(textStart)) << box->text;
        RECT b = rectOf(box->hwnd);
        moveTo(box->hwnd, 0, GetSystemMetrics(SM_CYSCREEN) - (b.bottom - b.top));
        EXPECT_TRUE(waitFor([&] {
            RECT now = rectOf(box->hwnd);
            return !overlap(now, rectOf(procesor)) && !overlap(now, rectOf(main_));
        }));
        return box->hwnd;
    }

    // The box stands: both windows are disabled and a click on "Zapsat a zavřít" is lost.
    void expectProgramDisabled(HWND procesor) {
        EXPECT_FALSE(IsWindowEnabled(main_));
        EXPECT_FALSE(IsWindowEnabled(procesor));
        std::string before = report();
        ASSERT_TRUE(clickWithTheMouse(childWithText(procesor, "Button", "Zapsat a zavřít")));
        EXPECT_TRUE(holds([&] { return IsWindowVisible(procesor) && report() == before; }))
            << "the click wrote the details under the open box";
    }

    // After the box, both windows take input again and the pressed button has the focus;
    // the same click now writes the details and closes the processor window.
    void expectProgramEnabled(HWND procesor, HWND pressed) {
        EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(main_) && IsWindowEnabled(procesor); }));
        EXPECT_TRUE(waitFor([&] { return activeOf(main_) == main_ && focusOf(main_) == pressed; }))
            << "active \"" << textOf(activeOf(main_)) << "\", focus on \"" << textOf(focusOf(main_))
            << "\"";
        std::string before = report();
        ASSERT_TRUE(clickWithTheMouse(childWithText(procesor, "Button", "Zapsat a zavřít")));
        EXPECT_TRUE(waitFor([&] { return !IsWindow(procesor); })) << "the click did not arrive";
        EXPECT_NE(before, report());
    }
};

std::string userName() {
    char name[256];
    DWORD n = sizeof name;
    return GetUserNameA(name, &n) ? name : "";
}

TEST_F(ModalBoxes, UserBoxDisablesEveryWindowOfTheProgram) {
    HWND procesor = completeReport();
    ASSERT_TRUE(procesor);
    HWND user = mainButton("User");
    HWND box = openBox(user, procesor, userName());
    ASSERT_TRUE(box) << "no message box";
    expectProgramDisabled(procesor);
    ASSERT_TRUE(pressBoxButton(box));
    ASSERT_TRUE(waitUntilGone(box));
    expectProgramEnabled(procesor, user);
}

// A close that reaches the processor window while a box stands (posted, as the system
// or another program may) waits for the box: closing moves the focus to "Uložit do
// souboru ...", which would take the activation from the box.
TEST_F(ModalBoxes, CloseUnderABoxWaitsUntilTheBoxHasClosed) {
    HWND procesor = completeReport();
    ASSERT_TRUE(procesor);
    HWND box = openBox(mainButton("User"), procesor, userName());
    ASSERT_TRUE(box) << "no message box";
    ASSERT_TRUE(settles([&] { return GetForegroundWindow() == box; }));
    ASSERT_TRUE(PostMessageW(procesor, WM_CLOSE, 0, 0));
    EXPECT_TRUE(holds([&] { return GetForegroundWindow() == box && IsWindowVisible(procesor); }))
        << "foreground \"" << textOf(GetForegroundWindow()) << "\", processor window "
        << (IsWindow(procesor) ? "there" : "gone");
    ASSERT_TRUE(pressBoxButton(box));
    ASSERT_TRUE(waitUntilGone(box));
    HWND save = mainButton("Uložit do souboru ...");
    EXPECT_TRUE(settles([&] {
        return !IsWindow(procesor) && GetForegroundWindow() == main_ && activeOf(main_) == main_ &&
               focusOf(main_) == save;
    })) << "processor window "
        << (IsWindow(procesor) ? "still there" : "gone") << ", active \"" << textOf(activeOf(main_))
        << "\", focus on \"" << textOf(focusOf(main_)) << "\"";
}

// A window of this process made active, as when the user switches to another program.
class OtherProgram {
  public:
    OtherProgram() {
        hwnd_ = CreateWindowExW(0, L"STATIC", L"Jiný program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                400, 300, 300, 200, nullptr, nullptr, nullptr, nullptr);
    }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;
    ~OtherProgram() { DestroyWindow(hwnd_); }

    // Made the foreground window, with its messages handled while `program` lets go.
    bool activeInsteadOf(HWND program) {
        SetForegroundWindow(hwnd_);
        return waitFor([&] {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            return GetForegroundWindow() == hwnd_ && activeOf(program) == nullptr;
        });
    }

  private:
    HWND hwnd_ = nullptr;
};

// A function, not a lambda: 32-bit Windows calls it as __stdcall.
BOOL CALLBACK collectIme(HWND hwnd, LPARAM list) {
    wchar_t name[16];
    GetClassNameW(hwnd, name, 16);
    if (std::wstring_view(name) == L"IME")
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

// The "Default IME" windows of `window`'s thread.
std::vector<HWND> imeWindowsBeside(HWND window) {
    std::vector<HWND> found;
    EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), collectIme,
                      reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST_F(ModalBoxes, BoxOpenedWhileTheUserIsElsewhereComesBackToTheProgram) {
    HWND focus = focusOf(main_);
    ASSERT_TRUE(focus);
    OtherProgram other;
    ASSERT_TRUE(other.activeInsteadOf(main_)) << "Kavrona is still active";

    // The press arrives as the button reports it, not through the button, whose click
    // would activate the program first: the box comes, as after a slow first WMI
    // connection, with another program in front.
    HWND user = mainButton("User");
    ASSERT_TRUE(PostMessageW(main_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(user), BN_CLICKED),
                             reinterpret_cast<LPARAM>(user)));
    std::optional<MessageBoxShown> box = waitForMessageBox(program_->pid());
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(main_, GetWindow(box->hwnd, GW_OWNER)) << "the box stands apart from the program";
    EXPECT_FALSE(IsWindowEnabled(main_));
    ASSERT_TRUE(pressBoxButton(box->hwnd));
    ASSERT_TRUE(waitUntilGone(box->hwnd));

    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(main_); }));
    EXPECT_TRUE(waitFor([&] { return activeOf(main_) == main_ && focusOf(main_) == focus; }))
        << "active \"" << textOf(activeOf(main_)) << "\", focus on \"" << textOf(focusOf(main_))
        << "\", not \"" << textOf(focus) << "\"";
}

// A window that a DLL not the program's made on the program's thread, as the system's
// components do (the input method's, COM's): the box leaves it as it was, and so the
// "Default IME" window too.
TEST_F(ModalBoxes, BoxLeavesWindowsTheProgramDidNotMakeAlone) {
    std::optional<GuestWindow> guest = GuestWindow::madeBeside(main_);
    ASSERT_TRUE(guest) << "the guest DLL made no window on the program's thread";
    std::vector<HWND> ime = imeWindowsBeside(main_);
    std::vector<BOOL> imeEnabled;
    for (HWND hwnd : ime) imeEnabled.push_back(IsWindowEnabled(hwnd));

    ASSERT_TRUE(press(mainButton("User")));
    std::optional<MessageBoxShown> box = waitForMessageBox(program_->pid());
    ASSERT_TRUE(box) << "no message box";
    EXPECT_FALSE(IsWindowEnabled(main_));
    EXPECT_TRUE(IsWindowEnabled(guest->hwnd())) << "the box disabled the guest's window";
    for (size_t i = 0; i < ime.size(); ++i) EXPECT_EQ(imeEnabled[i], IsWindowEnabled(ime[i]));
    ASSERT_TRUE(pressBoxButton(box->hwnd));
    ASSERT_TRUE(waitUntilGone(box->hwnd));
    EXPECT_TRUE(IsWindowEnabled(guest->hwnd()));
}

// Run by printing_win32_test.sh, which makes a default printer for the question.
class ModalBoxesByScript : public ModalBoxes {};

TEST_F(ModalBoxesByScript, PrintQuestionDisablesEveryWindowOfTheProgram) {
    // Found as the program finds it: winspool loaded at the start of every test would ask
    // CUPS for its printers each time.
    auto getDefaultPrinter =
        lateBound<decltype(GetDefaultPrinterA)>(L"winspool.drv", "GetDefaultPrinterA");
    ASSERT_TRUE(getDefaultPrinter);
    char printer[512];
    DWORD size = sizeof printer;
    ASSERT_TRUE(getDefaultPrinter(printer, &size)) << "no default printer";
    HWND procesor = completeReport();
    ASSERT_TRUE(procesor);
    HWND print = mainButton("Tisknout zobrazené ...");
    HWND box = openBox(print, procesor, "Tiskout dokument?");
    ASSERT_TRUE(box) << "no message box";
    expectProgramDisabled(procesor);
    ASSERT_TRUE(pressBoxButton(box, IDCANCEL));
    ASSERT_TRUE(waitUntilGone(box));
    std::optional<MessageBoxShown> cancelled = waitForMessageBox(program_->pid());
    ASSERT_TRUE(cancelled);
    EXPECT_EQ("Tisk byl stornován.", cancelled->text);
    expectProgramDisabled(procesor);
    ASSERT_TRUE(pressBoxButton(cancelled->hwnd));
    ASSERT_TRUE(waitUntilGone(cancelled->hwnd));
    expectProgramEnabled(procesor, print);
}

}  // namespace
