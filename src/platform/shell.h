#pragma once
// Opening a link with the program the user has chosen for it.

#include <cstdint>
#include <string>

struct Shell {
    virtual ~Shell() = default;
    // Returns ShellExecuteA's answer: above 32 means success.
    virtual int32_t open(const std::string& link) = 0;
};

struct Win32Shell : Shell {
    int32_t open(const std::string& link) override;
};
