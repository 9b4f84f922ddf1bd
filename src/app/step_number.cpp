#include "app/step_number.h"

#include <cmath>
#include <cstdlib>

std::optional<double> readNumber(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    size_t last = text.find_last_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    std::string_view t = text.substr(first, last - first + 1);
    size_t i = (t[0] == '+' || t[0] == '-') ? 1 : 0;
    bool digits = false, point = false;
    for (size_t k = i; k < t.size(); ++k) {
        if (t[k] >= '0' && t[k] <= '9') {
            digits = true;
        } else if (t[k] == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    return std::strtod(std::string(t).c_str(), nullptr);
}

std::optional<std::string> nextStep(std::string_view step) {
    std::optional<double> n = readNumber(step);
    if (!n || std::abs(*n) > 1e15) return std::nullopt;
    return std::to_string(std::llround(*n + 1));
}
