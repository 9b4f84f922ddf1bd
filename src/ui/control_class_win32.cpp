#include "ui/control_class_win32.h"

ControlClass controlClassOf(const ControlRow& row) {
    switch (row.kind) {
        case ControlKind::CommandButton:
            return {L"BUTTON", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, 0};
        case ControlKind::Label:
            return {L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0};
        case ControlKind::ListBox:
            return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::TextBox:
            break;
    }
    DWORD style = WS_TABSTOP;
    style |=
        (row.style & kMultiLine) ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN : ES_AUTOHSCROLL;
    if (row.style & kVScroll) style |= WS_VSCROLL;
    return {L"EDIT", style, WS_EX_CLIENTEDGE};
}
