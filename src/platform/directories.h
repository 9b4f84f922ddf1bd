#pragma once
// The Windows, temporary and system folders. Each call writes the ANSI path and a
// zero character at the start of `buffer` when both fit, and nothing otherwise; it
// returns the length written, or the size needed.

#include <cstdint>
#include <span>

struct Directories {
    virtual ~Directories() = default;
    virtual uint32_t getWindowsDirectory(std::span<char> buffer) = 0;
    virtual uint32_t getTempPath(std::span<char> buffer) = 0;
    virtual uint32_t getSystemDirectory(std::span<char> buffer) = 0;
};

struct Win32Directories : Directories {
    uint32_t getWindowsDirectory(std::span<char> buffer) override;
    uint32_t getTempPath(std::span<char> buffer) override;
    uint32_t getSystemDirectory(std::span<char> buffer) override;
};
