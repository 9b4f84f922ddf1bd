#pragma once
// Where a run without a window says what it could not do: the output and error
// streams its starter gave it (a console, a file, a pipe), or else the starter's
// console.

#include <optional>
#include <string>

struct Console {
    virtual ~Console() = default;
    // One line (UTF-8, without its line end) on the output or error stream. Nothing
    // happens when the starter gave neither a stream nor a console.
    virtual void out(const std::string& line) = 0;
    virtual void err(const std::string& line) = 0;
};

// Writes to the handles the starter gave; attaches to the starter's console only
// when there are none.
struct Win32Console : Console {
    void out(const std::string& line) override;
    void err(const std::string& line) override;

  private:
    void write(unsigned long stream, const std::string& line);
    std::optional<bool> attached_;  // asked at the first line
};
