// kavrona-floor: Kavrona's four windows made with plain Win32 calls and nothing else,
// the least that showing them costs. The same layouts, classes, control styles,
// fonts, manifest and DPI handling; no runtime, no services, no COM. Its "Zobraz
// kompletní info" does the window work of a complete report with fixed texts: the
// address and BIOS windows shown and destroyed, the processor window shown filled.

#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <string>
#include <string_view>

#include "app/form1.h"
#include "forms/frm_BIOS.h"
#include "forms/frm_IP_adress.h"
#include "forms/frm_Procesor.h"
#include "ui/control_class_win32.h"
#include "ui/dpi_win32.h"
#include "ui/fonts_win32.h"
#include "ui/layout.h"

namespace {

constexpr wchar_t kClass[] = L"KavronaWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr int kFirstId = 100;

// What a complete report shows, of about its length.
constexpr wchar_t kReport[] =
    L"Verze Windows: 6.1.7601 Service Pack 1\r\nUživatel: uzivatel\r\n\r\n"
    L"IP adresa: 10.0.2.15\r\n\r\nBIOS: 01/01/2011 Wine\r\n\r\n"
    L"Celková paměť: 23 GB\r\n\r\nStatistika pro Disk: C:\\ NTFS 100 GB\r\n";
constexpr wchar_t kCpuName[] = L"AMD EPYC Processor";
constexpr wchar_t kCpuDetails[] =
    L"Name: AMD EPYC Processor\r\nDescription: x86 Family 23\r\nManufacturer: AuthenticAMD\r\n"
    L"ProcessorId: 178BFBFF00800F12\r\nCurrentClockSpeed: 2000\r\nMaxClockSpeed: 2000\r\n";

std::wstring wide(std::string_view utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
    return text;
}

FontCache fonts;  // made once for each DPI the windows are on, as the program's are

int rowOf(const WindowLayout& layout, std::string_view name) {
    for (size_t i = 0; i < layout.controls.size(); ++i)
        if (layout.controls[i].name == name) return static_cast<int>(i);
    return -1;
}

HWND control(HWND window, const WindowLayout& layout, std::string_view name) {
    return GetDlgItem(window, kFirstId + rowOf(layout, name));
}

POINT centred(HWND hwnd, SIZE frame) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    return {work.left + (work.right - work.left - frame.cx) / 2,
            work.top + (work.bottom - work.top - frame.cy) / 2};
}

// The window and its controls at their places, not yet shown.
HWND create(const WindowLayout& layout) {
    HWND w = CreateWindowExW(kExStyle, kClass, wide(layout.caption).c_str(), kStyle, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                             GetModuleHandleW(nullptr), const_cast<WindowLayout*>(&layout));
    if (!w) return nullptr;
    UINT dpi = dpiOfWindow(w);
    const DpiFonts& f = fonts.at(dpi);
    auto px = [dpi](int twips) { return twipsToPixels(twips, dpi); };
    int id = kFirstId;
    for (const ControlRow& row : layout.controls) {
        ControlClass k = controlClassOf(row);
        DWORD style = WS_CHILD | k.style | ((row.style & kHidden) ? 0 : WS_VISIBLE);
        HWND c =
            CreateWindowExW(k.exStyle, k.name, wide(row.text).c_str(), style, px(row.pos.left),
                            px(row.pos.top), px(row.pos.width), px(row.pos.height), w,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), nullptr, nullptr);
        SetWindowFont(c, (row.style & kBold) ? f.bold.get() : f.plain.get(), FALSE);
    }
    SIZE frame = frameSizeForClient(px(layout.width), px(layout.height), kStyle, kExStyle, dpi);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    POINT at{};
    if (layout.centred) {
        at = centred(w, frame);
    } else {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(w, nullptr, at.x, at.y, frame.cx, frame.cy, flags);
    return w;
}

HWND procesor = nullptr;

// Shown in front and active, as a user sees a window come up, whichever program has
// the foreground.
void showActive(HWND w) {
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
}

void showAndDestroy(const WindowLayout& layout, std::string_view box, const wchar_t* text) {
    if (HWND w = create(layout)) {
        SetWindowTextW(control(w, layout, box), text);
        showActive(w);
        DestroyWindow(w);
    }
}

void completeReport(HWND main) {
    SetWindowTextW(control(main, kForm1Layout, "tb_Info"), kReport);
    showAndDestroy(kIpAdressLayout, "tb_IP_adr", L"10.0.2.15");
    showAndDestroy(kBiosLayout, "Text1", kReport);
    if (procesor) DestroyWindow(procesor);
    procesor = create(kProcesorLayout);
    if (!procesor) return;
    HWND list = control(procesor, kProcesorLayout, "lstCPU");
    ListBox_AddString(list, kCpuName);
    ListBox_SetCurSel(list, 0);
    SetWindowTextW(control(procesor, kProcesorLayout, "lblTitle"), L"Procesor");
    SetWindowTextW(control(procesor, kProcesorLayout, "txtCPU"), kCpuDetails);
    showActive(procesor);
}

void onCommand(HWND hwnd, const WindowLayout& layout, int id) {
    const int row = id - kFirstId;
    if (row < 0 || static_cast<size_t>(row) >= layout.controls.size()) return;
    std::string_view name = layout.controls[static_cast<size_t>(row)].name;
    if (&layout == &kForm1Layout && name == "cmd_Print_on_listbox") completeReport(hwnd);
    if (&layout == &kForm1Layout && name == "cmd_End") DestroyWindow(hwnd);
    if (&layout == &kProcesorLayout && (name == "cmd_Close" || name == "cmd_Write"))
        DestroyWindow(hwnd);
}

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* layout = reinterpret_cast<const WindowLayout*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
        case WM_NCCREATE:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_COMMAND:
            if (layout && HIWORD(wParam) == BN_CLICKED) onCommand(hwnd, *layout, LOWORD(wParam));
            return 0;
        case WM_CTLCOLORSTATIC: {
            // The link labels are blue.
            const int row = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) - kFirstId;
            if (!layout || row < 0 || static_cast<size_t>(row) >= layout->controls.size() ||
                !(layout->controls[static_cast<size_t>(row)].style & kBlue))
                break;
            auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(0, 0, 255));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_DESTROY:
            if (hwnd == procesor) procesor = nullptr;
            if (layout == &kForm1Layout) PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = windowProcedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    if (!RegisterClassExW(&wc)) return 1;
    HWND main = create(kForm1Layout);
    if (!main) return 1;
    ShowWindow(main, SW_SHOW);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(GetAncestor(msg.hwnd, GA_ROOT), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
