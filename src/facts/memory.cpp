#include "facts/memory.h"

#include <cmath>

#include "facts/line_end.h"

MemoryCounts gatherMemory(PhysicalMemory& memory) {
    return memory.status().value_or(MemoryCounts{});
}

int64_t memoryMegabytes(uint64_t bytes) {
    return std::llround(static_cast<double>(bytes) / 1043321.0);
}

std::string memorySection(const MemoryCounts& counts) {
    const std::string K = kLineEnd;
    return K + "Celková paměť: " + std::to_string(memoryMegabytes(counts.totalPhys)) + " MB" + K +
           "Volná paměť:  " + std::to_string(memoryMegabytes(counts.availPhys)) + " MB";
}

Json memoryRecord(PhysicalMemory& memory) {
    Json found = Json::object();
    if (std::optional<MemoryCounts> counts = memory.status()) {
        found["totalBytes"] = counts->totalPhys;
        found["freeBytes"] = counts->availPhys;
    } else {
        for (const char* key : {"totalBytes", "freeBytes"})
            unread(found, key, "Velikost paměti se nepodařilo zjistit (GlobalMemoryStatusEx).");
    }
    return found;
}
