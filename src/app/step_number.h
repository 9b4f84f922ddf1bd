#pragma once
// The step number of the complete report is decimal text in a hidden box.

#include <optional>
#include <string>
#include <string_view>

// The text read as a number, as the step boxes are read: blanks around it allowed,
// an optional sign, digits and a decimal point. Nothing when it is not a number.
std::optional<double> readNumber(std::string_view text);

// The step after `step`, as decimal text without a fraction; nothing when `step`
// is not a number.
std::optional<std::string> nextStep(std::string_view step);
