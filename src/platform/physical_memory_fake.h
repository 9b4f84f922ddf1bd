#pragma once

#include "platform/physical_memory.h"

struct FakePhysicalMemory : PhysicalMemory {
    std::optional<MemoryCounts> counts = MemoryCounts{512u << 20, 256u << 20};
    std::optional<MemoryCounts> status() override { return counts; }
};
