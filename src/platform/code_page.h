#pragma once
// The system's ANSI code page, where Windows' "A" calls and the report file need it.
// Inside the program text is UTF-8.

#include <string>
#include <string_view>

struct AnsiText {
    std::string bytes;
    bool lossy = false;  // some character had no exact match and was substituted
};

struct CodePage {
    virtual ~CodePage() = default;
    virtual std::string toUtf8(std::string_view ansi) = 0;  // NUL characters are kept
    virtual AnsiText toAnsi(std::string_view utf8) = 0;
};

struct Win32CodePage : CodePage {
    std::string toUtf8(std::string_view ansi) override;
    AnsiText toAnsi(std::string_view utf8) override;
};
