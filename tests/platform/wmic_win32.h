#pragma once
// `wmic cpu get PROPERTY`: a reader of the processors' WMI class apart from the
// program's own.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The property's value for each processor, in wmic's order, without the blanks that
// pad it to the widest. Nothing when wmic does not run or cannot read the property.
std::optional<std::vector<std::string>> wmicCpu(std::wstring_view property);
