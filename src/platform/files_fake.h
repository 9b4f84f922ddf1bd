#pragma once
// Scripted files of a Windows-1250 system: contents by name, names that cannot be
// opened, and writes that stop short or cannot be flushed to the disk (after which
// the file must be as it was). Names and contents are kept as that system keeps them;
// what is appended as UTF-8 is kept apart, by its UTF-8 name.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/code_page_fake.h"
#include "platform/files.h"

struct FakeFiles : Files {
    std::map<std::string, std::string> contents;      // 1250 name -> 1250 bytes
    std::map<std::string, std::string> utf8Contents;  // UTF-8 name -> UTF-8 bytes
    std::map<std::string, std::string> unopenable;    // 1250 or UTF-8 name -> the system's reason
    std::optional<std::string> shortWrite;   // the next write stops short, with this reason
    std::optional<std::string> failedFlush;  // the next write is all taken, the flush fails
    std::vector<std::string> appendedTo;     // names written to successfully, in order
    size_t bytesAppended = 0;

    Outcome append(const std::string& path, std::string_view text) override {
        AnsiText name = toCp1250(path);
        if (name.lossy) return {false, kNameOutsideCodePage};
        return write(contents, name.bytes, toCp1250(text).bytes);
    }
    Outcome appendUtf8(const std::string& path, std::string_view text) override {
        return write(utf8Contents, path, text);
    }

  private:
    Outcome write(std::map<std::string, std::string>& files, const std::string& name,
                  std::string_view bytes) {
        if (auto it = unopenable.find(name); it != unopenable.end()) return {false, it->second};
        for (std::optional<std::string>* fault : {&shortWrite, &failedFlush}) {
            if (!*fault) continue;
            Outcome outcome{false, **fault};
            fault->reset();
            return outcome;
        }
        files[name] += bytes;
        appendedTo.push_back(name);
        bytesAppended += bytes.size();
        return {};
    }
};
