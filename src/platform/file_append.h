#pragma once
// Appending a record durably: the Windows calls of an append behind `FileCalls`, and
// what their answers mean, decided once and tested natively against every answer.
//
// Saved: the whole record written and flushed, or flushed on a drive that cannot flush
// (ERROR_INVALID_FUNCTION or ERROR_NOT_SUPPORTED after a complete write: some network and
// virtual drives answer so though the data went). Not saved: any other failure, a
// write that took less than the record (a full disk), and a failure that left no error
// code (counted as ERROR_WRITE_FAULT). A record not saved is cut back off the file, or
// the file removed when the append made it; the cut-back is flushed and checked too.

#include <cstdint>
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
    virtual Answer write(std::string_view bytes, uint32_t& written) = 0;
    virtual Answer flush() = 0;
    virtual Answer cutBack(uint64_t at) = 0;  // the file ends at `at`
    virtual void close() = 0;
    virtual Answer remove() = 0;  // once closed
};

inline constexpr uint32_t kDiskFull = 112;     // ERROR_DISK_FULL
inline constexpr uint32_t kWriteFault = 29;    // ERROR_WRITE_FAULT
inline constexpr uint32_t kNoFunction = 1;     // ERROR_INVALID_FUNCTION
inline constexpr uint32_t kNotSupported = 50;  // ERROR_NOT_SUPPORTED

struct Appended {
    uint32_t failure = 0;  // why the record is not saved; 0 when it is
    uint32_t cutBack = 0;  // why the file may still hold part of it; 0 when it does not
};

Appended appendRecord(FileCalls& file, std::string_view bytes);
