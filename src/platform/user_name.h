#pragma once
// The signed-on user, as GetUserNameA tells it.

#include <cstdint>
#include <optional>
#include <string>

struct UserName {
    virtual ~UserName() = default;
    // The name without its terminator, UTF-8, or nothing when the call fails (for
    // instance when the name and its terminator need more than `capacity` bytes of
    // the system's code page).
    virtual std::optional<std::string> getUserName(uint32_t capacity) = 0;
};

struct Win32UserName : UserName {
    std::optional<std::string> getUserName(uint32_t capacity) override;
};
