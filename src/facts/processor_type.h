#pragma once
// The processor family that Windows reports, as a short text for the "Procesor" button.

#include <cstdint>
#include <string>

#include "platform/system_info.h"

// Read anew on every call.
int32_t GetProcessorType(SystemInfo& system);
// The family's name from the table, or the code in decimal digits.
std::string ProcessorTypeText(int32_t code);
