// Any text in the step box: reading it never fails unsafely, and a number read
// advances to a whole number.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/step_number.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<std::string> next = nextStep(text);
    if (next && next->find_first_not_of("-0123456789") != std::string::npos) std::abort();
    if (next && !readNumber(text)) std::abort();
    return 0;
}
