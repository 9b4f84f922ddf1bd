#pragma once
// UTF-8 to UTF-16 and back, for the "W" calls that the screen goes through; and the
// ANSI code page's text to UTF-16.

#include <string>
#include <string_view>

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
std::wstring widenAnsi(std::string_view ansi);
