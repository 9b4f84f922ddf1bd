#pragma once
// The standard window class and styles that show a layout row's kind of control.

#include <windows.h>

#include "ui/layout.h"

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass controlClassOf(const ControlRow& row);
