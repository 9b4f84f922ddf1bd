#pragma once
// Text in the system's ANSI code page, as the "A" calls and the report file take it.
// Above the platform text is UTF-8; only the services convert, at the call.

#include <string>

struct AnsiText {
    std::string bytes;
    bool lossy = false;  // some character had no exact match and was substituted
};
