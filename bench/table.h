#pragma once
// The benchmark's printed table and its targets.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "samples.h"

struct Target {
    std::string what;
    std::string measured;
    bool met = false;
};

void printHeading(const std::string& machine);
void printRow(const Samples& s);
void printLine(const std::string& name, const std::string& value);
void printTargets(const std::vector<Target>& targets);

std::string milliseconds(double ms);
std::string megabytes(uint64_t bytes);
