#pragma once
// A console that keeps what the program said and wrote on it, or refuses a record
// once as a test says.

#include <optional>
#include <string>
#include <vector>

#include "platform/console.h"

struct FakeConsole : Console {
    std::vector<std::string> outLines, errLines;
    std::string recorded;
    std::optional<std::string> refusal;  // the next record is refused with this reason
    void out(const std::string& line) override { outLines.push_back(line); }
    void err(const std::string& line) override { errLines.push_back(line); }
    Outcome record(std::string_view text) override {
        if (refusal) {
            Outcome outcome{false, *refusal};
            refusal.reset();
            return outcome;
        }
        recorded += text;
        return {};
    }
};
