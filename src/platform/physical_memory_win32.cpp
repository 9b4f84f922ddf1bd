#include <windows.h>

#include "platform/physical_memory.h"

std::optional<MemoryCounts> Win32PhysicalMemory::status() {
    MEMORYSTATUSEX m{};
    m.dwLength = sizeof m;
    if (!GlobalMemoryStatusEx(&m)) return std::nullopt;
    return MemoryCounts{m.ullTotalPhys, m.ullAvailPhys};
}
