#pragma once
// Scripted files: contents by path, paths that cannot be opened, and writes that
// stop short or cannot be flushed to the disk (after which the file must be as it was).

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

struct FakeFiles : Files {
    std::map<std::string, std::string> contents;    // ANSI path -> bytes
    std::map<std::string, std::string> unopenable;  // ANSI path -> the system's reason
    std::optional<std::string> shortWrite;          // the next write stops short, with this reason
    std::optional<std::string> failedFlush;         // the next write is all taken, the flush fails
    std::vector<std::string> appendedTo;            // paths written to successfully, in order
    size_t bytesAppended = 0;

    Outcome append(const std::string& ansiPath, std::string_view bytes) override {
        if (auto it = unopenable.find(ansiPath); it != unopenable.end()) return {false, it->second};
        for (std::optional<std::string>* fault : {&shortWrite, &failedFlush}) {
            if (!*fault) continue;
            Outcome outcome{false, **fault};
            fault->reset();
            return outcome;
        }
        contents[ansiPath] += bytes;
        appendedTo.push_back(ansiPath);
        bytesAppended += bytes.size();
        return {};
    }
};
