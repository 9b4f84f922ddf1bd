#pragma once
// The fonts of the program's windows, made once for each DPI they are shown at:
// windows come and go, their fonts stay.

#include <windows.h>

#include <map>

#include "platform/font_handle_win32.h"

struct DpiFonts {
    FontHandle plain;  // the system's dialog font
    FontHandle bold;   // "MS Sans Serif" 8.25 pt bold, character set 238
};

class FontCache {
  public:
    const DpiFonts& at(UINT dpi);

  private:
    std::map<UINT, DpiFonts> fonts_;
};
