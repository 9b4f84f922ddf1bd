#pragma once
// The system's own words for an error code, UTF-8, for the failure boxes.

#include <cstdint>
#include <string>

std::string systemReason(uint32_t code);
