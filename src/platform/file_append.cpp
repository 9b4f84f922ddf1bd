#include "platform/file_append.h"

namespace {

using Answer = FileCalls::Answer;

uint32_t codeOf(const Answer& answer) {
    return answer.code ? answer.code : kWriteFault;
}

bool flushed(const Answer& answer) {
    return answer.ok || answer.code == kNoFunction || answer.code == kNotSupported;
}

// Closed, and removed when the append made it. What is left of the file is as it was
// unless `failure` says otherwise; a removed file leaves nothing behind.
uint32_t closed(FileCalls& file, bool created, uint32_t failure) {
    file.close();
    if (!created) return failure;
    Answer removed = file.remove();
    return removed.ok ? 0 : codeOf(removed);
}

// The record cut off again, and that flushed.
uint32_t undo(FileCalls& file, uint64_t oldEnd, bool created) {
    uint32_t failure = 0;
    if (Answer cut = file.cutBack(oldEnd); !cut.ok) {
        failure = codeOf(cut);
    } else if (Answer flush = file.flush(); !flushed(flush)) {
        failure = codeOf(flush);
    }
    return closed(file, created, failure);
}

}  // namespace

Appended appendRecord(FileCalls& file, std::string_view bytes) {
    bool created = false;
    if (Answer open = file.open(created); !open.ok) return {codeOf(open)};
    uint64_t oldEnd = 0;
    if (Answer end = file.end(oldEnd); !end.ok) return {codeOf(end), closed(file, created, 0)};
    uint32_t failure = 0;
    uint32_t written = 0;
    if (Answer write = file.write(bytes, written); !write.ok) {
        failure = codeOf(write);
    } else if (written != bytes.size()) {
        failure = kDiskFull;  // a full disk may take part of the record and report success
    } else if (Answer flush = file.flush(); !flushed(flush)) {
        failure = codeOf(flush);  // unflushed, the record may be only in the cache
    }
    if (failure == 0) {
        file.close();
        return {};
    }
    return {failure, undo(file, oldEnd, created)};
}
