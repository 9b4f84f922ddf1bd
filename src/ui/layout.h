#pragma once
// The windows' layouts as data: the runtime creates controls from these rows and
// both views place them from them. Positions and sizes are in twips.

#include <span>
#include <string_view>

enum class ControlKind { Label, TextBox, CommandButton, ListBox };

enum ControlStyle : unsigned {
    kPlain = 0,
    kBold = 1u << 0,       // "MS Sans Serif" 8.25 pt bold, character set 238
    kMultiLine = 1u << 1,  // a text box of several lines
    kVScroll = 1u << 2,    // with a vertical scroll bar
    kHidden = 1u << 3,     // never seen by the user
    kBlue = 1u << 4,       // blue link text
};

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct ControlRow {
    ControlKind kind;
    std::string_view name;
    std::string_view text;  // initial caption or text, UTF-8
    TwipsRect pos;
    unsigned style = kPlain;
};

struct WindowLayout {
    std::string_view name;
    std::string_view caption;
    int width = 0, height = 0;             // client area
    bool centred = false;                  // otherwise where the window system puts new windows
    std::span<const ControlRow> controls;  // in tab order
};
