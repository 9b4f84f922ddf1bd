#pragma once
// Drives Kavrona from another process as a user would: finds its windows and
// controls, presses buttons and keys, reads texts. Every wait has a time limit.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace automation {

using Patience = std::chrono::milliseconds;
inline constexpr Patience kPatience{20000};

// How long a wait for something to happen may take here: `patience` times
// KAVRONA_TIME_SCALE (1 when unset), which the test command sets where the program runs
// under an emulator. Every wait below scales its patience; the watches that nothing
// happens (`holds`, and `settles`' steady time) do not: they would only grow longer.
Patience scaled(Patience patience);

// Polls `done` until it holds or the patience runs out; says whether it held.
bool waitFor(const std::function<bool()>& done, Patience patience = kPatience);
// How long a check that something does not happen watches for it.
inline constexpr Patience kQuiet{1000};
// Whether `state` holds at every look for the whole of `patience`: that no box comes,
// that the process does not end.
bool holds(const std::function<bool()>& state, Patience patience = kQuiet);
// Whether `state` comes to hold for `steady` on end within `patience`: a window that
// stays in front, not one that is there for a moment before a late activation.
inline constexpr Patience kSettle{300};
bool settles(const std::function<bool()>& state, Patience steady = kSettle,
             Patience patience = kPatience);

// A visible top-level window with this caption, of process `pid` unless that is 0.
HWND findWindow(std::string_view caption, DWORD pid = 0);
HWND waitForWindow(std::string_view caption, DWORD pid = 0, Patience patience = kPatience);
bool waitUntilGone(HWND hwnd, Patience patience = kPatience);
// Any top-level window with this caption of process `pid`, shown or hidden.
HWND findAnyWindow(std::string_view caption, DWORD pid);

struct Child {
    HWND hwnd = nullptr;
    std::string className;  // as Windows names it: "Button", "Edit", "Static", "ListBox"
    std::string text;       // UTF-8
    DWORD style = 0;
    RECT rect{};  // in the parent's client coordinates
    bool visible() const { return (style & WS_VISIBLE) != 0; }
};
// The controls of `parent` in the order they were created, which is their tab order.
std::vector<Child> childrenOf(HWND parent);
// The index-th control of `parent` of that class (any class when empty); null when none.
HWND nthChild(HWND parent, std::string_view className, size_t index);
HWND childWithText(HWND parent, std::string_view className, std::string_view text);

std::string textOf(HWND hwnd);  // UTF-8; empty when the window does not answer in time
bool press(HWND button);        // posted: the click happens in the program's own time
// A key pressed and released on the control that has the focus in `window`'s thread.
bool pressKey(HWND window, WORD key);
HWND focusOf(HWND window);   // the focused window of the thread that owns `window`
HWND activeOf(HWND window);  // the active window of that thread
// Types `text` into an edit box at its caret, character by character.
bool typeInto(HWND box, std::string_view text);
std::vector<std::string> itemsOf(HWND list);  // a list box's entries, UTF-8
int selectionOf(HWND list);                   // -1 when nothing is selected

struct MessageBoxShown {
    HWND hwnd = nullptr;
    std::string title, text;
};
// A message box of process `pid` (any process when 0), once it shows.
std::optional<MessageBoxShown> waitForMessageBox(DWORD pid = 0, Patience patience = kPatience);
bool pressBoxButton(HWND box, int id = IDOK);

// A program started from here, ended by force if it still runs when this goes.
class StartedProgram {
  public:
    explicit StartedProgram(std::string_view path);
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;
    ~StartedProgram();

    bool started() const { return process_.hProcess != nullptr; }
    DWORD startError() const { return startError_; }
    DWORD pid() const { return process_.dwProcessId; }
    bool ended(Patience patience = Patience(0)) const;
    DWORD exitCode() const;

  private:
    PROCESS_INFORMATION process_{};
    DWORD startError_ = 0;
};

}  // namespace automation
