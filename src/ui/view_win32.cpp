#include "ui/view_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/utf16_win32.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/control_class_win32.h"
#include "ui/dpi_win32.h"
#include "ui/window.h"
#include "ui/window_proc_win32.h"

namespace {

// Clear of IDOK and IDCANCEL, which Enter and Esc send when no button takes them.
constexpr int kFirstControlId = 100;

// Each control is of its row's kind: the runtime checks that when it makes them.
std::wstring textOf(const Control& c) {
    switch (c.row.kind) {
        case ControlKind::TextBox:
            return widen(static_cast<const TextBox&>(c).text());
        case ControlKind::Label:
            return widen(static_cast<const Label&>(c).caption());
        case ControlKind::CommandButton:
            return widen(static_cast<const CommandButton&>(c).caption());
        case ControlKind::ListBox:
            break;
    }
    return {};
}

std::wstring shownText(HWND h) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The report grows section by section in its box. Writing the whole text again makes
// the edit control lay out every line anew (under Wine several milliseconds a time);
// adding the new end lays out only the new lines. The box is left as a full write
// leaves it: caret and view at the start, nothing to undo.
void appendText(HWND box, std::wstring_view tail) {
    const int end = GetWindowTextLengthW(box);
    Edit_SetSel(box, end, end);
    const std::wstring added(tail);
    SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
    Edit_SetSel(box, 0, 0);
    Edit_ScrollCaret(box);
    Edit_EmptyUndoBuffer(box);
}

// A list only ever grows by one item or is cleared, and the view hears of each
// step, so its count tells whether the control still shows the same items.
void showItems(HWND list, const ListBox& box) {
    const std::vector<std::string>& items = box.items();
    if (ListBox_GetCount(list) != static_cast<int>(items.size())) {
        ListBox_ResetContent(list);
        for (const std::string& item : items) ListBox_AddString(list, widen(item).c_str());
    }
    if (ListBox_GetCurSel(list) != box.listIndex()) ListBox_SetCurSel(list, box.listIndex());
}

POINT centredOnMonitor(HWND hwnd, SIZE frame) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    // The whole screen, task bar included, as the user sees it.
    const RECT& screen = monitor.rcMonitor;
    LONG x = screen.left + (screen.right - screen.left - frame.cx) / 2;
    LONG y = screen.top + (screen.bottom - screen.top - frame.cy) / 2;
    // On a screen too small for the window its caption stays within reach.
    return {std::max(x, screen.left), std::max(y, screen.top)};
}

// The program's icon at the size the system shows it (its icon resource 1); a program
// without one, such as a test, shows the system's default.
HICON programIcon(HINSTANCE instance, int metric) {
    int size = GetSystemMetrics(metric);
    auto icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size,
                                              LR_DEFAULTCOLOR | LR_SHARED));
    return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

void reportFailure(const ViewTexts& texts) {
    std::wstring text = widen(texts.cannotOpenWindows) + L" (" + widen(texts.errorCode) + L" " +
                        std::to_wstring(GetLastError()) + L").";
    MessageBoxW(nullptr, text.c_str(), widen(texts.programName).c_str(), MB_OK | MB_ICONERROR);
}

HFONT fontOf(NativeWindow& w, const Control& c) {
    const DpiFonts& fonts = w.fonts.at(w.dpi);
    return (c.row.style & kBold) ? fonts.bold.get() : fonts.plain.get();
}

// The window's frame for w.dpi, at `position` when given, otherwise centred or left
// where it is, as its layout says.
void placeWindow(NativeWindow& w, const POINT* position) {
    const WindowLayout& layout = w.window.layout;
    SIZE frame =
        frameSizeForClient(twipsToPixels(layout.width, w.dpi), twipsToPixels(layout.height, w.dpi),
                           kWindowStyle, kWindowExStyle, w.dpi);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    POINT at{};
    if (position) {
        at = *position;
    } else if (layout.centred) {
        at = centredOnMonitor(w.hwnd, frame);
    } else {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(w.hwnd, nullptr, at.x, at.y, frame.cx, frame.cy, flags);
}

// Under Wine a box with a scroll bar redraws the bar on the screen at every change of
// its lines, about 10 ms each, and the report grows by six writes. Hidden while the
// program writes it, it only counts them, and shows once with the last text. The box
// with the focus stays: hiding it would take the focus away.
void putAside(NativeWindow& w, Control& c) {
    HWND h = static_cast<HWND>(c.native);
    if (!(c.row.style & kVScroll) || !IsWindowVisible(h) || GetFocus() == h) return;
    ShowWindow(h, SW_HIDE);
    w.boxesAside.push_back(h);
    w.view.presentSoon();
}

void bringToFront(HWND h) {
    SetForegroundWindow(h);
    // Another program may keep the foreground; within the program the window is active anyway.
    if (GetActiveWindow() != h) SetActiveWindow(h);
}

// A message box stands, and has disabled the window: showing or activating it now
// would take the activation from the box. The window's WM_ENABLE asks again once the
// box has closed.
bool waitForBox(NativeWindow& w) {
    if (IsWindowEnabled(w.hwnd)) return false;
    w.waitsForBox = true;
    return true;
}

// Posted to the presenter once the message that changed the windows is done.
constexpr UINT kPresent = WM_APP + 1;

LRESULT CALLBACK presenterProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kPresent) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (auto* view = reinterpret_cast<Win32View*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
        view->presentNow();
    return 0;
}

}  // namespace

void layOut(NativeWindow& w, const POINT* position) {
    auto px = [&w](int twips) { return twipsToPixels(twips, w.dpi); };
    for (Control* c : w.window.controls()) {
        HWND h = static_cast<HWND>(c->native);
        if (!h) continue;
        const TwipsRect& r = c->row.pos;
        SetWindowPos(h, nullptr, px(r.left), px(r.top), px(r.width), px(r.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowFont(h, fontOf(w, *c), TRUE);
    }
    placeWindow(w, position);
}

Win32View::Win32View(HINSTANCE instance, ViewTexts texts)
    : instance_(instance),
      texts_(std::move(texts)),
      className_(widen(texts_.programName) + L"Window") {}

bool Win32View::registerClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = windowProcedure;
    wc.hInstance = instance_;
    wc.hIcon = programIcon(instance_, SM_CXICON);
    wc.hIconSm = programIcon(instance_, SM_CXSMICON);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className_.c_str();
    const std::wstring presenterClass = className_ + L"Presenter";
    WNDCLASSEXW presenter{};
    presenter.cbSize = sizeof(presenter);
    presenter.lpfnWndProc = presenterProcedure;
    presenter.hInstance = instance_;
    presenter.lpszClassName = presenterClass.c_str();
    if (RegisterClassExW(&wc) && RegisterClassExW(&presenter) &&
        (presenter_ = CreateWindowExW(0, presenterClass.c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, instance_, nullptr))) {
        SetWindowLongPtrW(presenter_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        return true;
    }
    reportFailure(texts_);
    return false;
}

bool Win32View::dialogMessage(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    auto ours = std::find_if(windows_.begin(), windows_.end(),
                             [root](const auto& w) { return root && w->hwnd == root; });
    if (ours == windows_.end()) return false;
    // A multi-line box keeps Tab for itself; here Tab moves on from it as from the rest.
    Control* focus = controlOf(**ours, GetFocus());
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && focus &&
        (focus->row.style & kMultiLine) && GetKeyState(VK_CONTROL) >= 0) {
        if (HWND next = GetNextDlgTabItem(root, GetFocus(), GetKeyState(VK_SHIFT) < 0))
            SetFocus(next);
        return true;
    }
    return IsDialogMessageW(root, &msg);
}

NativeWindow& Win32View::nativeOf(Window& window) {
    for (auto& w : windows_)
        if (&w->window == &window) return *w;
    windows_.push_back(std::make_unique<NativeWindow>(window, *this, fonts_));
    return *windows_.back();
}

void Win32View::created(Window& window) {
    NativeWindow& w = nativeOf(window);
    // WM_NCCREATE keeps the handle in w.
    if (!CreateWindowExW(kWindowExStyle, className_.c_str(), widen(window.layout.caption).c_str(),
                         kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         nullptr, nullptr, instance_, &w)) {
        // Without its window the program could never be closed: it ends instead.
        reportFailure(texts_);
        PostQuitMessage(1);
        return;
    }
    window.native = &w;
    w.dpi = dpiOfWindow(w.hwnd);
    createControls(w);
    placeWindow(w, nullptr);
}

void Win32View::createControls(NativeWindow& w) {
    auto px = [&w](int twips) { return twipsToPixels(twips, w.dpi); };
    int id = kFirstControlId;
    // Created in tab order: the dialog keys follow the order of creation. Each at its
    // place with its font, unseen until the window shows: nothing to move or redraw.
    for (Control* c : w.window.controls()) {
        ControlClass k = controlClassOf(c->row);
        DWORD style = WS_CHILD | k.style | (c->visible() ? WS_VISIBLE : 0);
        const TwipsRect& r = c->row.pos;
        HWND h = CreateWindowExW(k.exStyle, k.name, textOf(*c).c_str(), style, px(r.left),
                                 px(r.top), px(r.width), px(r.height), w.hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance_,
                                 nullptr);
        c->native = h;
        if (!h) continue;
        SetWindowFont(h, fontOf(w, *c), FALSE);
        if (c->row.kind == ControlKind::TextBox) Edit_LimitText(h, 0);  // a long report is not cut
        if (c->row.kind == ControlKind::ListBox) showItems(h, static_cast<ListBox&>(*c));
    }
}

void Win32View::destroyed(Window& window) {
    NativeWindow& w = nativeOf(window);
    for (Control* c : window.controls()) c->native = nullptr;
    window.native = nullptr;
    // What waited goes with the window.
    w.boxesAside.clear();
    w.waitsForBox = w.closeHeld = false;
    if (w.hwnd) DestroyWindow(w.hwnd);  // WM_NCDESTROY forgets the handle
}

void Win32View::presentLater(Application& app) {
    app_ = &app;
    presentSoon();
}

void Win32View::presentSoon() {
    if (presentPosted_ || !presenter_) return;
    presentPosted_ = PostMessageW(presenter_, kPresent, 0, 0) != FALSE;
}

void Win32View::presentNow() {
    presentPosted_ = false;
    std::vector<Window*> closing;
    for (auto& w : windows_) {
        for (HWND h : w->boxesAside) ShowWindow(h, SW_SHOWNA);
        w->boxesAside.clear();
        w->waitsForBox = false;
        if (w->closeHeld && w->hwnd && IsWindowEnabled(w->hwnd)) {
            w->closeHeld = false;
            closing.push_back(&w->window);
        }
    }
    // After the loop: an unload may load another window, which adds to the list.
    for (Window* window : closing) window->unload();
    if (app_) app_->present();
}

// Shown without activation: the activation, if the runtime gave it to this window,
// follows in activated().
void Win32View::presented(Window& window) {
    NativeWindow& w = nativeOf(window);
    if (!w.hwnd || window.visible() == (IsWindowVisible(w.hwnd) != FALSE)) return;
    if (!window.visible()) {
        ShowWindow(w.hwnd, SW_HIDE);
    } else if (!waitForBox(w)) {
        ShowWindow(w.hwnd, SW_SHOWNA);
    }
}

void Win32View::activated(Window& window) {
    NativeWindow& w = nativeOf(window);
    // Already active: Windows activated it and its WM_ACTIVATE told the runtime.
    if (!w.hwnd || GetActiveWindow() == w.hwnd || !IsWindowVisible(w.hwnd) || waitForBox(w)) return;
    bringToFront(w.hwnd);  // its WM_ACTIVATE gives the focus
}

void Win32View::changed(Control& control) {
    HWND h = static_cast<HWND>(control.native);
    if (!h) return;
    if (control.row.kind == ControlKind::ListBox) {
        showItems(h, static_cast<ListBox&>(control));
        return;
    }
    // What the user types comes back here through the box's change event. The box
    // shows it already, and writing it again would put the caret back at the start:
    // the next letter would go in front of the last one.
    std::wstring text = textOf(control);
    const std::wstring shown = shownText(h);
    if (shown == text) return;
    NativeWindow& w = nativeOf(control.window);
    bool writing = w.writing;
    w.writing = true;
    putAside(w, control);
    if (control.row.kind == ControlKind::TextBox && !shown.empty() && text.starts_with(shown)) {
        appendText(h, std::wstring_view(text).substr(shown.size()));
    } else {
        SetWindowTextW(h, text.c_str());
    }
    w.writing = writing;
}

void Win32View::focused(Control& control) {
    HWND h = static_cast<HWND>(control.native);
    if (!h) return;
    NativeWindow& w = nativeOf(control.window);
    // A window not yet active on the screen takes the focus when it becomes active
    // (WM_ACTIVATE): setting it now would activate it before its time.
    if (GetActiveWindow() != w.hwnd) return;
    if (std::erase(w.boxesAside, h)) ShowWindow(h, SW_SHOWNA);
    if (GetFocus() != h) SetFocus(h);
}

void Win32View::ended() {
    PostQuitMessage(0);
}
