#pragma once
// The Windows calls of an append on one file (platform/file_append.h).

#include <windows.h>

#include <string>

#include "platform/file_append.h"

class Win32FileCalls : public FileCalls {
  public:
    explicit Win32FileCalls(std::wstring path) : path_(std::move(path)) {}
    Win32FileCalls(const Win32FileCalls&) = delete;
    Win32FileCalls& operator=(const Win32FileCalls&) = delete;
    ~Win32FileCalls() override { closeHandle(); }

    Answer open(bool& created) override;
    Answer end(uint64_t& at) override;
    Answer lastByte(uint64_t at, char& byte) override;
    Answer write(std::string_view bytes, uint32_t& written) override;
    Answer flush() override;
    Answer cutBack(uint64_t at) override;
    Answer removeOnClose() override;
    void close() override;

  private:
    HANDLE openFor(DWORD access, DWORD disposition);
    void closeHandle();

    std::wstring path_;
    HANDLE h_ = INVALID_HANDLE_VALUE;
};
