// Total and free physical memory, the memory section of the complete report, and the
// word halves that the drives' serial numbers are printed with.

#include "facts/memory.h"

#include <cmath>

#include "app/form1.h"

int64_t memoryMegabytes(uint64_t bytes) {
    return std::llround(static_cast<double>(bytes) / 1043321.0);
}

int16_t Form1::GetHiWord(int32_t dw) {
    return static_cast<int16_t>(dw >> 16);
}

int16_t Form1::GetLoWord(int32_t dw) {
    return static_cast<int16_t>(static_cast<uint16_t>(dw & 0xFFFF));
}

void Form1::Pamet_size() {
    // A failing call reports what an unfilled record holds: nothing.
    MemoryCounts counts = os.memory.status().value_or(MemoryCounts{});
    std::string total = std::to_string(memoryMegabytes(counts.totalPhys));
    std::string free = std::to_string(memoryMegabytes(counts.availPhys));
    appendReport(Konec_radku + "Celková paměť: " + total + " MB" + Konec_radku +
                 "Volná paměť:  " + free + " MB");
    advanceStep();
}
