#include "app/automation_win32.h"

#include <thread>

#include "platform/utf16_win32.h"

namespace automation {

namespace {

constexpr UINT kAnswerMs = 5000;  // for a message sent to the program
constexpr int kMessageBoxTextId = 0xFFFF;

std::string classOf(HWND hwnd) {
    wchar_t name[256];
    int n = GetClassNameW(hwnd, name, 256);
    return narrow(std::wstring_view(name, n > 0 ? static_cast<size_t>(n) : 0));
}

bool sameClass(std::string_view a, std::string_view b) {
    return CompareStringOrdinal(widen(a).c_str(), -1, widen(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

DWORD processOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

// The first visible top-level window that `fits`.
HWND findTopLevel(const std::function<bool(HWND)>& fits) {
    struct Search {
        const std::function<bool(HWND)>& fits;
        HWND found = nullptr;
    } search{fits};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (!IsWindowVisible(hwnd) || !s->fits(hwnd)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

bool waitFor(const std::function<bool()>& done, Patience patience) {
    auto end = std::chrono::steady_clock::now() + patience;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

HWND findWindow(std::string_view caption, DWORD pid) {
    return findTopLevel(
        [&](HWND hwnd) { return (!pid || processOf(hwnd) == pid) && textOf(hwnd) == caption; });
}

HWND waitForWindow(std::string_view caption, DWORD pid, Patience patience) {
    HWND found = nullptr;
    waitFor([&] { return (found = findWindow(caption, pid)) != nullptr; }, patience);
    return found;
}

bool waitUntilGone(HWND hwnd, Patience patience) {
    return waitFor([hwnd] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); }, patience);
}

std::vector<Child> childrenOf(HWND parent) {
    std::vector<Child> children;
    for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        Child c;
        c.hwnd = h;
        c.className = classOf(h);
        c.text = textOf(h);
        c.style = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
        GetWindowRect(h, &c.rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&c.rect), 2);
        children.push_back(c);
    }
    return children;
}

HWND nthChild(HWND parent, std::string_view className, size_t index) {
    for (const Child& c : childrenOf(parent))
        if ((className.empty() || sameClass(c.className, className)) && index-- == 0) return c.hwnd;
    return nullptr;
}

HWND childWithText(HWND parent, std::string_view className, std::string_view text) {
    for (const Child& c : childrenOf(parent))
        if (sameClass(c.className, className) && c.text == text) return c.hwnd;
    return nullptr;
}

std::string textOf(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kAnswerMs, &copied))
        return {};
    text.resize(copied);
    return narrow(text);
}

bool press(HWND button) {
    return button && PostMessageW(button, BM_CLICK, 0, 0);
}

HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool pressKey(HWND window, WORD key) {
    HWND focus = focusOf(window);
    UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    LPARAM down = 1 | static_cast<LPARAM>(scan << 16);
    LPARAM up = down | (LPARAM{3} << 30);
    return focus && PostMessageW(focus, WM_KEYDOWN, key, down) &&
           PostMessageW(focus, WM_KEYUP, key, up);
}

std::optional<MessageBoxShown> waitForMessageBox(DWORD pid, Patience patience) {
    HWND box = nullptr;
    waitFor(
        [&] {
            box = findTopLevel([pid](HWND hwnd) {
                return (!pid || processOf(hwnd) == pid) && classOf(hwnd) == "#32770";
            });
            return box != nullptr;
        },
        patience);
    if (!box) return std::nullopt;
    return MessageBoxShown{box, textOf(box), textOf(GetDlgItem(box, kMessageBoxTextId))};
}

bool pressBoxButton(HWND box, int id) {
    return press(GetDlgItem(box, id));
}

}  // namespace automation
