#pragma once
// UTF-8 to the system's ANSI code page and back, for the "A" calls.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/code_page.h"

std::string fromAnsi(std::string_view ansi);  // NUL characters are kept
AnsiText toAnsi(std::string_view utf8);

// A caller's buffer filled in place by an "A" call, `call(data, size)`: handed over in
// the code page and given back in UTF-8, NULs and what the call left alone included.
template <typename Call>
uint32_t filledInPlace(std::string& buffer, Call call) {
    std::string ansi = toAnsi(buffer).bytes;
    auto answer = static_cast<uint32_t>(call(ansi.data(), ansi.size()));
    buffer = fromAnsi(ansi);
    return answer;
}
