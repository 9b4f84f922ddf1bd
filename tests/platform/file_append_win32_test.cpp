// An append that the disk refuses, on real files: a file it made goes through its own
// handle, so that another writer's record made the moment the program lets go of the
// file stays, where removing it by name after closing it would take that record too.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/file_calls_win32.h"

namespace fs = std::filesystem;

namespace {

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The real calls, with a write that the disk takes half of and then refuses, and
// another writer appending its record by name as soon as the file is closed.
struct FullDiskAndAnotherWriter : FileCalls {
    explicit FullDiskAndAnotherWriter(const fs::path& path) : path(path), real(path.wstring()) {}
    fs::path path;
    Win32FileCalls real;
    bool anotherWriter = true;
    bool othersAppended = false;

    Answer open(bool& created) override { return real.open(created); }
    Answer end(uint64_t& at) override { return real.end(at); }
    Answer lastByte(uint64_t at, char& byte) override { return real.lastByte(at, byte); }
    Answer write(std::string_view bytes, uint32_t& written) override {
        real.write(bytes.substr(0, bytes.size() / 2), written);
        return {false, kDiskFull};
    }
    Answer flush() override { return real.flush(); }
    Answer cutBack(uint64_t at) override { return real.cutBack(at); }
    Answer removeOnClose() override { return real.removeOnClose(); }
    void close() override {
        real.close();
        if (!anotherWriter) return;
        HANDLE other = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD n = 0;
        othersAppended =
            other != INVALID_HANDLE_VALUE && WriteFile(other, "other\r\n", 7, &n, nullptr);
        if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    }
};

struct FileAppendOnDisk : testing::Test {
    fs::path folder =
        fs::temp_directory_path() / ("kavrona-append-" + std::to_string(GetCurrentProcessId()));
    fs::path file = folder / "Kavrona.txt";
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
};

TEST_F(FileAppendOnDisk, NewFileThatCouldNotBeFilledGoesAndLeavesNothing) {
    FullDiskAndAnotherWriter calls(file);
    calls.anotherWriter = false;
    Appended appended = appendRecord(calls, "new record\r\n", "\r\n");
    EXPECT_EQ(kDiskFull, appended.failure);
    EXPECT_EQ(Appended::Left::AsItWas, appended.left);
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(FileAppendOnDisk, AnotherWritersRecordAfterTheFailureStays) {
    FullDiskAndAnotherWriter calls(file);
    Appended appended = appendRecord(calls, "new record\r\n", "\r\n");
    EXPECT_EQ(kDiskFull, appended.failure);
    ASSERT_TRUE(calls.othersAppended);
    EXPECT_EQ("other\r\n", bytesOf(file));
}

TEST_F(FileAppendOnDisk, ExistingFileIsCutBackToItsOldRecords) {
    std::ofstream(file, std::ios::binary) << "old record\r\n";
    FullDiskAndAnotherWriter calls(file);
    calls.anotherWriter = false;
    Appended appended = appendRecord(calls, "new record\r\n", "\r\n");
    EXPECT_EQ(kDiskFull, appended.failure);
    EXPECT_EQ("old record\r\n", bytesOf(file));
}

}  // namespace
