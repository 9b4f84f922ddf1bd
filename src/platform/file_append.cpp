#include "platform/file_append.h"

#include <algorithm>
#include <string>

namespace {

using Answer = FileCalls::Answer;
using Left = Appended::Left;

uint32_t codeOf(const Answer& answer) {
    return answer.code ? answer.code : kWriteFault;
}

bool flushed(const Answer& answer) {
    return answer.ok || answer.code == kNoFunction || answer.code == kNotSupported;
}

// Closed; a file the append made goes as it closes. `after` is what is left should
// that fail while the file holds nothing of the record.
Appended closed(FileCalls& file, bool created, Appended after) {
    if (created) {
        if (Answer removed = file.removeOnClose(); removed.ok) {
            after = {after.failure};
        } else if (after.left == Left::AsItWas) {
            after = {after.failure, Left::Empty, codeOf(removed)};
        }
    }
    file.close();
    return after;
}

// The record cut off again, and that flushed. `failure` is why it is not saved.
Appended undo(FileCalls& file, uint64_t oldEnd, bool created, uint32_t failure) {
    Appended after{failure};
    if (Answer cut = file.cutBack(oldEnd); !cut.ok) {
        after = {failure, Left::PartOfRecord, codeOf(cut)};
    } else if (Answer flush = file.flush(); !flushed(flush)) {
        after = {failure, Left::PartOfRecord, codeOf(flush)};
    }
    return closed(file, created, after);
}

// Whether the file's last line lacks its line end. A byte that cannot be read (a file
// the program may write but not read) is taken for one: nothing is added then.
bool lastLineOpen(FileCalls& file, uint64_t end) {
    char last = '\n';
    return end > 0 && file.lastByte(end, last).ok && last != '\n';
}

bool busy(const Appended& appended) {
    return (appended.failure == kSharingViolation || appended.failure == kLockViolation) &&
           appended.left == Left::AsItWas;
}

}  // namespace

Appended appendRecord(FileCalls& file, std::string_view record, std::string_view lineEnd) {
    bool created = false;
    if (Answer open = file.open(created); !open.ok) return {codeOf(open)};
    uint64_t oldEnd = 0;
    // Where the end is unknown nothing is cut: the old records stay whole.
    if (Answer end = file.end(oldEnd); !end.ok) return closed(file, created, {codeOf(end)});
    std::string bytes;
    if (lastLineOpen(file, oldEnd)) bytes = lineEnd;
    bytes += record;
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
    return undo(file, oldEnd, created, failure);
}

Appended appendWhenFree(FileCalls& file, std::string_view bytes, std::string_view lineEnd,
                        std::chrono::milliseconds patience,
                        const std::function<void(std::chrono::milliseconds)>& wait) {
    std::chrono::milliseconds pause{50}, waited{0};
    for (;;) {
        Appended appended = appendRecord(file, bytes, lineEnd);
        if (!busy(appended) || waited >= patience) return appended;
        pause = std::min(pause, patience - waited);
        wait(pause);
        waited += pause;
        pause = std::min(pause * 2, std::chrono::milliseconds{2000});
    }
}
