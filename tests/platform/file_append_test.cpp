// What each answer of the file calls makes of an append: saved, or not saved and the
// file as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "platform/file_append.h"

namespace {

constexpr uint32_t kAccessDenied = 5;

// One file on a scripted disk: its bytes, and the answer each call gives.
struct FakeFileCalls : FileCalls {
    bool exists = true;
    std::string bytes = "old record\r\n";
    // "write", or "flush again" for the second flush -> its answer; success when absent
    std::map<std::string, Answer> answers;
    size_t takes = SIZE_MAX;  // how much a write takes
    std::string onDisk;       // the bytes as of the last flush that worked
    std::vector<std::string> calls;

    Answer answerTo(const std::string& call) {
        bool again = std::count(calls.begin(), calls.end(), call) > 0;
        calls.push_back(call);
        auto it = answers.find(again ? call + " again" : call);
        return it == answers.end() ? Answer{} : it->second;
    }
    Answer open(bool& created) override {
        Answer a = answerTo("open");
        if (a.ok) {
            created = !exists;
            exists = true;
        }
        return a;
    }
    Answer end(uint64_t& at) override {
        at = bytes.size();
        return answerTo("end");
    }
    Answer lastByte(uint64_t at, char& byte) override {
        Answer a = answerTo("lastByte");
        if (a.ok) byte = bytes.at(at - 1);
        return a;
    }
    Answer write(std::string_view record, uint32_t& written) override {
        Answer a = answerTo("write");
        std::string_view taken = record.substr(0, takes);
        bytes += taken;
        written = a.ok ? static_cast<uint32_t>(taken.size()) : 0;
        return a;
    }
    Answer flush() override {
        Answer a = answerTo("flush");
        if (a.ok) onDisk = bytes;
        return a;
    }
    Answer cutBack(uint64_t at) override {
        Answer a = answerTo("cutBack");
        if (a.ok) bytes.resize(at);
        return a;
    }
    Answer removeOnClose() override {
        Answer a = answerTo("removeOnClose");
        goesOnClose = a.ok;
        return a;
    }
    void close() override {
        calls.push_back("close");
        if (goesOnClose) exists = false;
    }
    bool goesOnClose = false;
};

using Left = Appended::Left;

class FileAppend : public testing::Test {
  protected:
    FakeFileCalls file;
    void answer(const std::string& call, uint32_t code) { file.answers[call] = {false, code}; }
    Appended append() { return appendRecord(file, "new record\r\n", "\r\n"); }
    using Calls = std::vector<std::string>;
};

TEST_F(FileAppend, WrittenAndFlushedIsSaved) {
    Appended a = append();
    EXPECT_EQ(0u, a.failure);
    EXPECT_EQ("old record\r\nnew record\r\n", file.onDisk);
    EXPECT_EQ((Calls{"open", "end", "lastByte", "write", "flush", "close"}), file.calls);
}

// Some network and virtual drives cannot flush, though the data went.
TEST_F(FileAppend, DriveThatCannotFlushAfterACompleteWriteIsSaved) {
    for (uint32_t code : {kNoFunction, kNotSupported}) {
        file = FakeFileCalls{};
        file.bytes = "old\r\n";
        answer("flush", code);
        Appended a = append();
        EXPECT_EQ(0u, a.failure) << code;
        EXPECT_EQ("old\r\nnew record\r\n", file.bytes) << code;
    }
}

TEST_F(FileAppend, FailedFlushIsCutBackAndTheCutBackFlushed) {
    file.onDisk = file.bytes;
    answer("flush", kAccessDenied);
    Appended a = append();
    EXPECT_EQ(kAccessDenied, a.failure);
    EXPECT_EQ(Left::AsItWas, a.left);
    EXPECT_EQ("old record\r\n", file.bytes);
    EXPECT_EQ("old record\r\n", file.onDisk);
    EXPECT_EQ((Calls{"open", "end", "lastByte", "write", "flush", "cutBack", "flush", "close"}),
              file.calls);
}

// A failure that left no error code is a failure still, one the box can name.
TEST_F(FileAppend, FailureWithoutACodeIsAWriteFault) {
    for (const char* call : {"open", "end", "write", "flush"}) {
        file = FakeFileCalls{};
        answer(call, 0);
        EXPECT_EQ(kWriteFault, append().failure) << call;
        EXPECT_EQ("old record\r\n", file.bytes) << call;
    }
}

TEST_F(FileAppend, ShortWriteIsADiskFullAndIsCutBack) {
    file.takes = 4;
    Appended a = append();
    EXPECT_EQ(kDiskFull, a.failure);
    EXPECT_EQ("old record\r\n", file.bytes);
    EXPECT_EQ(Left::AsItWas, a.left);
}

// Only a complete write may count on a drive that cannot flush.
TEST_F(FileAppend, ShortWriteOnADriveThatCannotFlushIsNotSaved) {
    file.takes = 4;
    answer("flush", kNoFunction);
    EXPECT_EQ(kDiskFull, append().failure);
    EXPECT_EQ("old record\r\n", file.bytes);
}

TEST_F(FileAppend, CutBackThatFailsIsReported) {
    answer("write", kDiskFull);
    answer("cutBack", kAccessDenied);
    Appended a = append();
    EXPECT_EQ(kDiskFull, a.failure);
    EXPECT_EQ(Left::PartOfRecord, a.left);
    EXPECT_EQ(kAccessDenied, a.leftBecause);

    file = FakeFileCalls{};
    answer("write", kDiskFull);
    answer("flush", 0);  // the cut-back's flush, the first after a failed write
    a = append();
    EXPECT_EQ(kDiskFull, a.failure);
    EXPECT_EQ(Left::PartOfRecord, a.left);
    EXPECT_EQ(kWriteFault, a.leftBecause);
}

// A file the append made goes through its own handle before it closes: by name after
// closing it, another writer's record made in between would go with it.
TEST_F(FileAppend, NewFileGoesAsItClosesOnFailure) {
    file.exists = false;
    file.bytes.clear();
    answer("flush", kAccessDenied);
    Appended a = append();
    EXPECT_EQ(kAccessDenied, a.failure);
    EXPECT_EQ(Left::AsItWas, a.left);
    EXPECT_FALSE(file.exists);
    EXPECT_EQ(
        (Calls{"open", "end", "write", "flush", "cutBack", "flush", "removeOnClose", "close"}),
        file.calls);
}

// What the box then says the file holds: nothing when the cut-back worked, maybe
// part of the record when it did not, and nothing to say once the file is gone.
TEST_F(FileAppend, NewFileThatCannotGoSaysWhatItHolds) {
    struct Case {
        const char* failing;
        Left left;
        uint32_t because;
    } cases[] = {
        {"removeOnClose", Left::Empty, kAccessDenied},
        {"cutBack", Left::AsItWas, 0},  // removed all the same
    };
    for (const Case& c : cases) {
        file = FakeFileCalls{};
        file.exists = false;
        file.bytes.clear();
        answer("write", kDiskFull);
        answer(c.failing, kAccessDenied);
        Appended a = append();
        EXPECT_EQ(kDiskFull, a.failure) << c.failing;
        EXPECT_EQ(c.left, a.left) << c.failing;
        EXPECT_EQ(c.because, a.leftBecause) << c.failing;
    }
    file = FakeFileCalls{};
    file.exists = false;
    file.bytes.clear();
    file.takes = 4;
    answer("cutBack", kAccessDenied);
    answer("removeOnClose", kAccessDenied);
    Appended a = append();
    EXPECT_EQ(Left::PartOfRecord, a.left);
    EXPECT_EQ("new ", file.bytes);
    EXPECT_TRUE(file.exists);
}

// Where the end is unknown, nothing is cut: the old records stay whole.
TEST_F(FileAppend, UnknownEndCutsNothing) {
    answer("end", kAccessDenied);
    Appended a = append();
    EXPECT_EQ(kAccessDenied, a.failure);
    EXPECT_EQ("old record\r\n", file.bytes);
    EXPECT_EQ((Calls{"open", "end", "close"}), file.calls);

    file = FakeFileCalls{};
    file.exists = false;
    answer("end", kAccessDenied);
    answer("removeOnClose", kAccessDenied);
    a = append();
    EXPECT_EQ(Left::Empty, a.left);
    EXPECT_TRUE(file.exists);
}

// A record starts on a line of its own; a failed append takes its line end back too.
TEST_F(FileAppend, ARecordAfterALastLineWithoutItsEndStartsOnANewLine) {
    struct Case {
        const char* before;
        const char* lineEnd;
        uint32_t lastByteFails;
        uint32_t flushFails;
        const char* after;
    } cases[] = {
        {"old record\r\n", "\r\n", 0, 0, "old record\r\nnew record\r\n"},
        {"old record", "\r\n", 0, 0, "old record\r\nnew record\r\n"},
        {"old record\r", "\r\n", 0, 0, "old record\r\r\nnew record\r\n"},
        {"{\"earlier\":1}", "\n", 0, 0, "{\"earlier\":1}\nnew record\r\n"},
        {"{\"earlier\":1}\n", "\n", 0, 0, "{\"earlier\":1}\nnew record\r\n"},
        {"", "\r\n", 0, 0, "new record\r\n"},
        {"old record", "\r\n", kAccessDenied, 0, "old recordnew record\r\n"},  // unreadable
        {"old record", "\r\n", 0, kAccessDenied, "old record"},
    };
    for (const Case& c : cases) {
        file = FakeFileCalls{};
        file.bytes = c.before;
        if (c.lastByteFails) answer("lastByte", c.lastByteFails);
        if (c.flushFails) answer("flush", c.flushFails);
        Appended a = appendRecord(file, "new record\r\n", c.lineEnd);
        EXPECT_EQ(c.flushFails, a.failure) << c.before;
        EXPECT_EQ(c.after, file.bytes) << c.before;
    }
}

// Busy: another program holds the file without sharing it, or has locked a part of it.
// Tried again after waits that grow, until the patience is spent; any other failure,
// or a busy file that was not left as it was, ends it at once.
TEST_F(FileAppend, ABusyFileIsTriedAgainUntilThePatienceIsSpent) {
    using ms = std::chrono::milliseconds;
    struct Case {
        const char* name;
        const char* failing;
        uint32_t code;
        int busyTimes;
        ms patience;
        uint32_t failure;
        std::vector<ms> waits;
    } cases[] = {
        {"free at once", "open", kSharingViolation, 0, ms(1000), 0, {}},
        {"free after three", "open", kSharingViolation, 3, ms(1000), 0, {ms(50), ms(100), ms(200)}},
        {"locked twice", "write", kLockViolation, 2, ms(1000), 0, {ms(50), ms(100)}},
        {"never free",
         "open",
         kSharingViolation,
         100,
         ms(400),
         kSharingViolation,
         {ms(50), ms(100), ms(200), ms(50)}},
        {"waits stop growing",
         "open",
         kSharingViolation,
         100,
         ms(7000),
         kSharingViolation,
         {ms(50), ms(100), ms(200), ms(400), ms(800), ms(1600), ms(2000), ms(1850)}},
        {"no patience", "open", kSharingViolation, 1, ms(0), kSharingViolation, {}},
        {"denied", "open", kAccessDenied, 1, ms(1000), kAccessDenied, {}},
    };
    for (const Case& c : cases) {
        file = FakeFileCalls{};
        std::vector<ms> waits;
        int left = c.busyTimes;
        auto wait = [&](ms pause) {
            waits.push_back(pause);
            if (--left == 0) file.answers.clear();
        };
        if (left > 0) {
            answer(c.failing, c.code);
            answer(c.failing + std::string(" again"), c.code);
        }
        Appended a = appendWhenFree(file, "new record\r\n", "\r\n", c.patience, wait);
        EXPECT_EQ(c.failure, a.failure) << c.name;
        EXPECT_EQ(c.waits, waits) << c.name;
        EXPECT_EQ(c.failure ? "old record\r\n" : "old record\r\nnew record\r\n", file.bytes)
            << c.name;
    }
}

}  // namespace
