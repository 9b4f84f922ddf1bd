#pragma once
// A message box as the program shows it: a box given no title bears the program's.

#include <string>

#include "platform/dialogs.h"

inline constexpr const char* kAppTitle = "Kavrona";

inline int MsgBox(Dialogs& dialogs, const std::string& text, int style = kOkOnly,
                  const std::string& title = kAppTitle) {
    return dialogs.messageBox(text, style, title);
}
