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

// Polls `done` until it holds or the patience runs out; says whether it held.
bool waitFor(const std::function<bool()>& done, Patience patience = kPatience);

// A visible top-level window with this caption, of process `pid` unless that is 0.
HWND findWindow(std::string_view caption, DWORD pid = 0);
HWND waitForWindow(std::string_view caption, DWORD pid = 0, Patience patience = kPatience);
bool waitUntilGone(HWND hwnd, Patience patience = kPatience);

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
HWND focusOf(HWND window);  // the focused window of the thread that owns `window`

struct MessageBoxShown {
    HWND hwnd = nullptr;
    std::string title, text;
};
// A message box of process `pid` (any process when 0), once it shows.
std::optional<MessageBoxShown> waitForMessageBox(DWORD pid = 0, Patience patience = kPatience);
bool pressBoxButton(HWND box, int id = IDOK);

}  // namespace automation
