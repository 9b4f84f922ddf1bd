#pragma once
// The Windows, temporary and system folders. Each call writes the path and a zero
// character at the start of `buffer` when both fit, and nothing otherwise; it returns
// the length written, or the size needed. The buffer is the caller's, in UTF-8.

#include <cstdint>
#include <string>

struct Directories {
    virtual ~Directories() = default;
    virtual uint32_t getWindowsDirectory(std::string& buffer) = 0;
    virtual uint32_t getTempPath(std::string& buffer) = 0;
    virtual uint32_t getSystemDirectory(std::string& buffer) = 0;
};

struct Win32Directories : Directories {
    uint32_t getWindowsDirectory(std::string& buffer) override;
    uint32_t getTempPath(std::string& buffer) override;
    uint32_t getSystemDirectory(std::string& buffer) override;
};
