#pragma once
// Appending to files, as the report file is written.

#include <chrono>
#include <string>
#include <string_view>

#include "platform/outcome.h"

// Why a name is refused that the system's code page cannot hold: a substitute letter
// in it would put the record into another file.
inline constexpr const char* kNameOutsideCodePage =
    "Název souboru obsahuje znaky, které znaková sada systému neumí zapsat.";

struct Files {
    virtual ~Files() = default;
    // Appends `text` in the system's code page (what it cannot hold as its substitute)
    // at the end of the file named `path`, creating it when it does not exist, on a
    // line of its own (after CR LF when the last line lacks its end). Either all of it
    // is added and on the disk, or the file is left as it was and the outcome says
    // why; should even that fail, the outcome says so too (platform/file_append.h).
    // Both are UTF-8.
    virtual Outcome append(const std::string& path, std::string_view text) = 0;
    // The same, but `text` goes as its UTF-8 bytes, after LF where a line lacks its
    // end, and any name the system takes will do.
    virtual Outcome appendUtf8(const std::string& path, std::string_view text) = 0;
};

// How long a file that another program holds is waited for: a user at the window is
// told soon, a run that nobody watches waits for a reader or another run to finish.
inline constexpr std::chrono::milliseconds kBusyFilePatienceWindow{3000};
inline constexpr std::chrono::milliseconds kBusyFilePatienceUnattended{60000};

struct Win32Files : Files {
    std::chrono::milliseconds busyPatience = kBusyFilePatienceWindow;
    Outcome append(const std::string& path, std::string_view text) override;
    Outcome appendUtf8(const std::string& path, std::string_view text) override;
};
