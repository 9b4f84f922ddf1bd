#pragma once
// Megabytes as the memory section counts them.

#include <cstdint>

// 1043321 bytes to the megabyte, rounded to the nearest whole number.
int64_t memoryMegabytes(uint64_t bytes);
