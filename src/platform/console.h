#pragma once
// The console the program was started from, when it was started from one: a run
// without a window says there what it could not do.

#include <optional>
#include <string>

struct Console {
    virtual ~Console() = default;
    // One line (UTF-8, without its line end) on the console's output or error
    // stream. Nothing happens when the program was not started from a console.
    virtual void out(const std::string& line) = 0;
    virtual void err(const std::string& line) = 0;
};

// Attaches to the starting process's console at the first line.
struct Win32Console : Console {
    void out(const std::string& line) override;
    void err(const std::string& line) override;

  private:
    void write(unsigned long stream, const std::string& line);
    std::optional<bool> attached_;  // asked at the first line
};
