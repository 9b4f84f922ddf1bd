#pragma once
// What became of a request to the system that may fail: the files and the printer.

#include <string>

struct Outcome {
    bool ok = true;
    std::string reason;  // the system's text for what went wrong, UTF-8
};
