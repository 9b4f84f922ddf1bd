#pragma once
// The standard output the program's starter gave it, for a record that a script takes
// from a pipe or a redirected file rather than from a file of the program's own.

#include <string_view>

#include "platform/outcome.h"

struct StandardOutput {
    virtual ~StandardOutput() = default;
    // All of `text` (UTF-8), or the outcome says why not. A file or a pipe takes its
    // bytes as they are; a console shows its letters.
    virtual Outcome write(std::string_view text) = 0;
};

// A windowed program started from a console is given no handle: it then attaches to
// its starter's console.
struct Win32StandardOutput : StandardOutput {
    Outcome write(std::string_view text) override;
};
