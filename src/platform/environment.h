#pragma once
// The process environment.

#include <string>

struct Environment {
    virtual ~Environment() = default;
    virtual std::string get(const std::string& name) = 0;  // empty when the variable is not set
};

struct Win32Environment : Environment {
    std::string get(const std::string& name) override;
};
