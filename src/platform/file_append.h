#pragma once
// Appending a record durably: the Windows calls of an append behind `FileCalls`, and
// what their answers mean, decided once and tested natively against every answer.
//
// A record starts on a line of its own: after a last line that has no line end (a
// cut-back that could not finish, a power cut, an editor), the record's line end goes
// first. A file another program holds without sharing it, or has locked a part of, is
// tried again, each time a little later, until the patience given is spent.
//
// Saved: the whole record written and flushed, or flushed on a drive that cannot flush
// (ERROR_INVALID_FUNCTION or ERROR_NOT_SUPPORTED after a complete write: some network and
// virtual drives answer so though the data went). Not saved: any other failure, a
// write that took less than the record (a full disk), and a failure that left no error
// code (counted as ERROR_WRITE_FAULT). A record not saved is cut back off the file and
// the cut-back flushed and checked; a file the append made goes again through the
// append's own handle, never by name after closing it, which could remove another
// writer's record made in between.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string_view>

// The calls on one file, each answering as the Windows call does: whether it worked,
// and GetLastError() after it, which a failed call may leave at 0.
struct FileCalls {
    struct Answer {
        bool ok = true;
        uint32_t code = 0;
    };

    virtual ~FileCalls() = default;
    virtual Answer open(bool& created) = 0;  // for writing, made when it does not exist
    virtual Answer end(uint64_t& at) = 0;    // moves to the end; `at` is where that is
    // The byte before `at`, which is the end; the file stays at its end.
    virtual Answer lastByte(uint64_t at, char& byte) = 0;
    virtual Answer write(std::string_view bytes, uint32_t& written) = 0;
    virtual Answer flush() = 0;
    virtual Answer cutBack(uint64_t at) = 0;  // the file ends at `at`
    virtual Answer removeOnClose() = 0;       // the open file goes when it is closed
    virtual void close() = 0;
};

inline constexpr uint32_t kDiskFull = 112;         // ERROR_DISK_FULL
inline constexpr uint32_t kWriteFault = 29;        // ERROR_WRITE_FAULT
inline constexpr uint32_t kNoFunction = 1;         // ERROR_INVALID_FUNCTION
inline constexpr uint32_t kNotSupported = 50;      // ERROR_NOT_SUPPORTED
inline constexpr uint32_t kSharingViolation = 32;  // ERROR_SHARING_VIOLATION
inline constexpr uint32_t kLockViolation = 33;     // ERROR_LOCK_VIOLATION

struct Appended {
    // What the file holds after a record not saved.
    enum class Left {
        AsItWas,       // the old records alone, or no file when the append made it
        Empty,         // the append made it and could not remove it; it holds nothing
        PartOfRecord,  // the record could not be cut off again: some of it may be there
    };
    uint32_t failure = 0;  // why the record is not saved; 0 when it is
    Left left = Left::AsItWas;
    uint32_t leftBecause = 0;  // why it is not as it was; 0 when it is
};

// `lineEnd` is the record's own: it goes first after a last line without one.
Appended appendRecord(FileCalls& file, std::string_view bytes, std::string_view lineEnd);

// appendRecord, tried again while the file is busy and left as it was, after waits
// that grow, until they come to `patience`. `wait` sleeps for as long as it is told.
Appended appendWhenFree(FileCalls& file, std::string_view bytes, std::string_view lineEnd,
                        std::chrono::milliseconds patience,
                        const std::function<void(std::chrono::milliseconds)>& wait);
