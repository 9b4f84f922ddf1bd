#pragma once
// UTF-8 encoding and decoding of code points, shared by the code-page converters.

#include <string>
#include <string_view>

void appendUtf8(std::string& out, char32_t cp);
// Malformed bytes decode as U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);
