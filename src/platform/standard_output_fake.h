#pragma once
// A standard output that keeps what it took, or fails once as a test says.

#include <optional>
#include <string>

#include "platform/standard_output.h"

struct FakeStandardOutput : StandardOutput {
    std::string taken;
    std::optional<std::string> failure;  // the next write fails with this reason
    Outcome write(std::string_view text) override {
        if (failure) {
            Outcome outcome{false, *failure};
            failure.reset();
            return outcome;
        }
        taken += text;
        return {};
    }
};
