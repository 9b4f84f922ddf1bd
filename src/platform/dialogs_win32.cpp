#include <windows.h>

#include "platform/dialogs.h"
#include "platform/utf16_win32.h"

int Win32Dialogs::messageBox(const std::string& text, int style, const std::string& title) {
    // Owned by the active window, so that the box is modal to it.
    return MessageBoxW(GetActiveWindow(), widen(text).c_str(), widen(title).c_str(),
                       static_cast<UINT>(style));
}
