#pragma once
// Total and available physical memory.

#include <cstdint>
#include <optional>

struct MemoryCounts {
    uint64_t totalPhys = 0;  // bytes
    uint64_t availPhys = 0;
};

struct PhysicalMemory {
    virtual ~PhysicalMemory() = default;
    virtual std::optional<MemoryCounts> status() = 0;  // nothing when the call fails
};

// GlobalMemoryStatusEx: the 32-bit call caps its counts at 4 GiB (Wine's at about 3.5).
struct Win32PhysicalMemory : PhysicalMemory {
    std::optional<MemoryCounts> status() override;
};
