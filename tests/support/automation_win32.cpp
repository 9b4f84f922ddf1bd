#include "support/automation_win32.h"

#include <algorithm>
#include <cwchar>

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

struct Search {
    const std::function<bool(HWND)>& fits;
    bool hiddenToo;
    HWND found = nullptr;
};

// A named callback: a lambda would take the default calling convention, which on
// 32-bit Windows is not the one EnumWindows calls with.
BOOL CALLBACK keepFirstFit(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    if ((!s->hiddenToo && !IsWindowVisible(hwnd)) || !s->fits(hwnd)) return TRUE;
    s->found = hwnd;
    return FALSE;
}

// The first top-level window that `fits`, among the visible ones unless `hidden_too`.
HWND findTopLevel(const std::function<bool(HWND)>& fits, bool hidden_too = false) {
    Search search{fits, hidden_too};
    EnumWindows(keepFirstFit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

Patience scaled(Patience patience) {
    static const long factor = [] {
        wchar_t value[16];
        DWORD n = GetEnvironmentVariableW(L"KAVRONA_TIME_SCALE", value, 16);
        long parsed = n && n < 16 ? std::wcstol(value, nullptr, 10) : 1;
        return parsed > 0 ? parsed : 1;
    }();
    return patience * factor;
}

namespace {

bool pollUntil(const std::function<bool()>& done, Patience patience) {
    auto end = std::chrono::steady_clock::now() + patience;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        // Not std::this_thread::sleep_for: the threading library counts that down with
        // GetTickCount, which stands still in a 32-bit process under qemu-user with
        // 64 KiB pages (the tick count's shared page is then a private copy).
        Sleep(20);
    }
    return true;
}

}  // namespace

bool waitFor(const std::function<bool()>& done, Patience patience) {
    return pollUntil(done, scaled(patience));
}

bool holds(const std::function<bool()>& state, Patience patience) {
    return !pollUntil([&] { return !state(); }, patience);
}

bool settles(const std::function<bool()>& state, Patience steady, Patience patience) {
    using std::chrono::steady_clock;
    auto end = steady_clock::now() + scaled(patience);
    do {
        auto left =
            std::max(Patience(0), std::chrono::duration_cast<Patience>(end - steady_clock::now()));
        if (pollUntil(state, left) && holds(state, steady)) return true;
    } while (steady_clock::now() < end);
    return false;
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

HWND findAnyWindow(std::string_view caption, DWORD pid) {
    return findTopLevel(
        [&](HWND hwnd) { return processOf(hwnd) == pid && textOf(hwnd) == caption; }, true);
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

HWND activeOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndActive;
}

bool typeInto(HWND box, std::string_view text) {
    for (wchar_t c : widen(text))
        if (!PostMessageW(box, WM_CHAR, c, 1)) return false;
    return box != nullptr;
}

std::vector<std::string> itemsOf(HWND list) {
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &count))
        return items;
    for (WPARAM i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, kAnswerMs, &length) ||
            length == static_cast<DWORD_PTR>(LB_ERR))
            break;
        std::wstring item(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()),
                            SMTO_ABORTIFHUNG, kAnswerMs, &copied);
        item.resize(std::min<size_t>(copied, length));
        items.push_back(narrow(item));
    }
    return items;
}

int selectionOf(HWND list) {
    DWORD_PTR index = static_cast<DWORD_PTR>(LB_ERR);
    SendMessageTimeoutW(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &index);
    return static_cast<int>(static_cast<LRESULT>(index));
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

StartedProgram::StartedProgram(std::string_view path) {
    std::wstring command = L"\"" + widen(path) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        startError_ = GetLastError();
        process_ = {};
    }
}

StartedProgram::~StartedProgram() {
    if (!started()) return;
    if (!ended()) TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool StartedProgram::ended(Patience patience) const {
    return started() &&
           WaitForSingleObject(process_.hProcess, static_cast<DWORD>(scaled(patience).count())) ==
               WAIT_OBJECT_0;
}

DWORD StartedProgram::exitCode() const {
    DWORD code = STILL_ACTIVE;
    if (started()) GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

}  // namespace automation
