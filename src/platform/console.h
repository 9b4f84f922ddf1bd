#pragma once
// Where a run without a window says what it could not do, and where a record asked
// for on the standard output goes: the output and error streams its starter gave it
// (a console, a file, a pipe), or else the starter's console.

#include <optional>
#include <string>
#include <string_view>

#include "platform/outcome.h"

struct Console {
    virtual ~Console() = default;
    // One line (UTF-8, without its line end) on the output or error stream. Nothing
    // happens when the starter gave neither a stream nor a console.
    virtual void out(const std::string& line) = 0;
    virtual void err(const std::string& line) = 0;
    // `text` (UTF-8, its line ends included) on the output stream: a file or a pipe
    // takes its bytes as they are, a console shows its letters. All of it, or the
    // outcome says why not, also when there is nowhere to write.
    virtual Outcome record(std::string_view text) = 0;
};

// Writes to the handles the starter gave; attaches to the starter's console only
// when there are none.
struct Win32Console : Console {
    void out(const std::string& line) override;
    void err(const std::string& line) override;
    Outcome record(std::string_view text) override;

  private:
    // Lines go to files and pipes in the console's code page, as a console program's
    // redirected output; a record goes as its UTF-8 bytes.
    enum class Bytes { CodePage, Utf8 };
    unsigned long write(unsigned long stream, std::string_view text, Bytes bytes);
    std::optional<bool> attached_;  // asked at the first write
};
