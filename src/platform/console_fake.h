#pragma once
// A console that keeps what the program said on it.

#include <string>
#include <vector>

#include "platform/console.h"

struct FakeConsole : Console {
    std::vector<std::string> outLines, errLines;
    void out(const std::string& line) override { outLines.push_back(line); }
    void err(const std::string& line) override { errLines.push_back(line); }
};
