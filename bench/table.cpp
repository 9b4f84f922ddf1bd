#include "table.h"

#include <cstdio>

void printHeading(const std::string& machine) {
    std::printf("Kavrona benchmark: %s\n\n", machine.c_str());
    std::printf("%-40s %5s %10s %10s %10s\n", "measure (ms)", "n", "min", "median", "max");
}

void printRow(const Samples& s) {
    if (s.empty()) {
        std::printf("%-40s %5s %10s %10s %10s\n", s.name.c_str(), "0", "-", "-", "-");
        return;
    }
    std::printf("%-40s %5zu %10.2f %10.2f %10.2f\n", s.name.c_str(), s.ms.size(), s.min(),
                s.median(), s.max());
}

void printLine(const std::string& name, const std::string& value) {
    std::printf("%-40s %s\n", name.c_str(), value.c_str());
}

void printTargets(const std::vector<Target>& targets) {
    std::printf("\ntargets:\n");
    for (const Target& t : targets)
        std::printf("  %s  %-44s %s\n", t.met ? "pass" : "FAIL", t.what.c_str(),
                    t.measured.c_str());
}

std::string milliseconds(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f ms", ms);
    return text;
}

std::string megabytes(uint64_t bytes) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2f MB (%llu bytes)", static_cast<double>(bytes) / 1048576.0,
                  static_cast<unsigned long long>(bytes));
    return text;
}
