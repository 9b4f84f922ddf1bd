#pragma once
// The three folders as a test sets them, handed over as Windows does: the
// path and a zero character when both fit, nothing when they do not.

#include <algorithm>
#include <string>

#include "platform/directories.h"

struct FakeDirectories : Directories {
    std::string windows = "C:\\WINDOWS";
    std::string temp = "C:\\WINDOWS\\TEMP\\";
    std::string system = "C:\\WINDOWS\\system32";
    std::string asked;  // "W", "T" and "S", in the order the calls came

    uint32_t getWindowsDirectory(std::string& buffer) override {
        return fill('W', windows, buffer);
    }
    uint32_t getTempPath(std::string& buffer) override { return fill('T', temp, buffer); }
    uint32_t getSystemDirectory(std::string& buffer) override { return fill('S', system, buffer); }

  private:
    uint32_t fill(char which, const std::string& path, std::string& buffer) {
        asked += which;
        if (path.size() + 1 > buffer.size()) return static_cast<uint32_t>(path.size() + 1);
        std::copy(path.begin(), path.end(), buffer.begin());
        buffer[path.size()] = '\0';
        return static_cast<uint32_t>(path.size());
    }
};
