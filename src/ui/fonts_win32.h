#pragma once
// The fonts of the program's windows, made once for each DPI they are shown at:
// windows come and go, their fonts stay.

#include <windows.h>

#include <map>
#include <memory>
#include <type_traits>

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

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
