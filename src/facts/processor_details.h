#pragma once
// The processor details that WMI gives, as the processor window and the report write them.

#include <cstdint>
#include <string>

#include "platform/wmi.h"

// "1 procesor detekován na tomto stroji." and, for every other count, the plural.
std::string ProcesorTitle(int32_t count);

// A value as the window writes it: texts as they are, integers in decimal digits,
// booleans as "True" or "False", null as nothing.
std::string ValueText(const WmiValue& value);

// The eleven lines about one processor. A property the instance lacks drops its
// line; a null value leaves the label alone. No processor: no lines.
std::string ProcesorDetails(WmiObject* cpu);
