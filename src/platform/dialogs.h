#pragma once
// Modal message boxes.

#include <string>

// Style values and answers in Windows' numbering.
enum MessageStyle : int {
    kOkOnly = 0,
    kOkCancel = 1,
    kStopIcon = 16,
    kQuestionIcon = 32,
    kInformationIcon = 64,
};
enum MessageAnswer : int { kAnswerOk = 1, kAnswerCancel = 2 };

struct Dialogs {
    virtual ~Dialogs() = default;
    // Returns when the user has closed the box, with the button pressed.
    virtual int messageBox(const std::string& text, int style, const std::string& title) = 0;
};

struct Win32Dialogs : Dialogs {
    int messageBox(const std::string& text, int style, const std::string& title) override;
};
