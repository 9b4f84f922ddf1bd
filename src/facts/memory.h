#pragma once
// Total and free physical memory: the memory section of the complete report.

#include <cstdint>
#include <string>

#include "facts/record.h"
#include "platform/physical_memory.h"

// A failing call gives what an unfilled record holds: nothing.
MemoryCounts gatherMemory(PhysicalMemory& memory);
// 1043321 bytes to the megabyte, rounded to the nearest whole number.
int64_t memoryMegabytes(uint64_t bytes);
// Two lines, without a line end after the second.
std::string memorySection(const MemoryCounts& counts);

// "memory": the physical memory's total and free bytes.
Json memoryRecord(PhysicalMemory& memory);
