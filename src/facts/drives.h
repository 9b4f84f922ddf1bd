#pragma once
// How the drives section writes serial numbers and byte counts.

#include <cstdint>
#include <string>
#include <string_view>

// HHHH-LLLL, upper-case hexadecimal.
std::string serialText(uint32_t serial);
// The count divided by 10 000: the whole part, then the separator and the remainder's
// significant digits when there is a remainder ("123,45" for 1 234 500 bytes).
std::string rawFigure(uint64_t bytes, std::string_view decimalSeparator);
// " ( n MB )" or " ( n GB )", in the program's megabytes of 1 024 000 bytes and
// gigabytes of 1 048 576 000 bytes.
std::string unitPart(uint64_t bytes);
