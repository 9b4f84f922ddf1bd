#pragma once
// Windows-1250, the code page of Central European systems, for tests.

#include "platform/code_page.h"

struct Cp1250CodePage : CodePage {
    std::string toUtf8(std::string_view ansi) override;
    AnsiText toAnsi(std::string_view utf8) override;  // '?' for what 1250 cannot hold
};
