#pragma once
// Appending to files, as the report file is written.

#include <string>
#include <string_view>

#include "platform/outcome.h"

struct Files {
    virtual ~Files() = default;
    // Appends `bytes` at the end of the file named by `ansiPath` (in the ANSI code
    // page), creating it when it does not exist. Either all of `bytes` is added and on
    // the disk, or the file is left as it was and the outcome says why; should even
    // that fail, the outcome says so too (platform/file_append.h).
    virtual Outcome append(const std::string& ansiPath, std::string_view bytes) = 0;
};

struct Win32Files : Files {
    Outcome append(const std::string& ansiPath, std::string_view bytes) override;
};
