#pragma once
// The folder that holds the program's executable file.

#include <string>

struct ProgramFolder {
    virtual ~ProgramFolder() = default;
    virtual std::string path() = 0;  // without a trailing backslash
};

struct Win32ProgramFolder : ProgramFolder {
    std::string path() override;
};
