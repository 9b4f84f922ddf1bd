#include <windows.h>

#include "platform/code_page_win32.h"
#include "platform/file_append.h"
#include "platform/files.h"
#include "platform/system_reason_win32.h"
#include "platform/utf16_win32.h"

namespace {

using Answer = FileCalls::Answer;

Answer answer(BOOL ok) {
    return {ok != FALSE, ok ? 0 : static_cast<uint32_t>(GetLastError())};
}

class Win32FileCalls : public FileCalls {
  public:
    explicit Win32FileCalls(std::wstring path) : path_(std::move(path)) {}
    Win32FileCalls(const Win32FileCalls&) = delete;
    Win32FileCalls& operator=(const Win32FileCalls&) = delete;
    ~Win32FileCalls() override { closeHandle(); }

    Answer open(bool& created) override {
        // Write access rather than append-only access, so that a short write can be cut
        // back; delete access, so that a file made here goes through this handle. A
        // folder that lets the program write but not delete still takes the record.
        h_ = openFor(GENERIC_WRITE | DELETE);
        if (h_ == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
            h_ = openFor(GENERIC_WRITE);
        if (h_ == INVALID_HANDLE_VALUE) return answer(FALSE);
        created = GetLastError() != ERROR_ALREADY_EXISTS;
        return {};
    }
    Answer end(uint64_t& at) override {
        LARGE_INTEGER end{};
        BOOL ok = SetFilePointerEx(h_, LARGE_INTEGER{}, &end, FILE_END);
        at = static_cast<uint64_t>(end.QuadPart);
        return answer(ok);
    }
    Answer write(std::string_view bytes, uint32_t& written) override {
        DWORD n = 0;
        BOOL ok = WriteFile(h_, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
        written = n;
        return answer(ok);
    }
    Answer flush() override { return answer(FlushFileBuffers(h_)); }
    Answer cutBack(uint64_t at) override {
        LARGE_INTEGER to{};
        to.QuadPart = static_cast<LONGLONG>(at);
        if (!SetFilePointerEx(h_, to, nullptr, FILE_BEGIN)) return answer(FALSE);
        return answer(SetEndOfFile(h_));
    }
    Answer removeOnClose() override {
        FILE_DISPOSITION_INFO disposition{TRUE};
        return answer(
            SetFileInformationByHandle(h_, FileDispositionInfo, &disposition, sizeof(disposition)));
    }
    void close() override { closeHandle(); }

  private:
    HANDLE openFor(DWORD access) {
        return CreateFileW(path_.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    void closeHandle() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
    }

    std::wstring path_;
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// Why the path names no file that Windows would write: reserved names such as
// NUL.txt or COM1.txt, in any folder, are devices that take the record and keep
// nothing; and Windows without long-path support refuses full paths of MAX_PATH
// characters and more, which Wine writes. 0 when the path may be opened.
DWORD unfitPath(const std::wstring& path) {
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return GetLastError();
    std::wstring full(n, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), n, full.data(), nullptr));
    if (full.starts_with(L"\\\\?\\")) return 0;
    if (full.starts_with(L"\\\\.\\")) return ERROR_INVALID_NAME;
    if (full.size() >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
    return 0;
}

}  // namespace

Outcome Win32Files::append(const std::string& utf8Path, std::string_view text) {
    if (toAnsi(utf8Path).lossy) return {false, kNameOutsideCodePage};
    std::wstring path = widen(utf8Path);
    if (DWORD code = unfitPath(path)) return {false, systemReason(code)};
    Win32FileCalls file(path);
    Appended appended = appendRecord(file, toAnsi(text).bytes);
    if (!appended.failure) return {};
    std::string reason = systemReason(appended.failure);
    switch (appended.left) {
        case Appended::Left::AsItWas:
            break;
        case Appended::Left::Empty:
            reason += "\r\nSoubor zůstal na disku prázdný: " + systemReason(appended.leftBecause);
            break;
        case Appended::Left::PartOfRecord:
            reason +=
                "\r\nSoubor může obsahovat část záznamu: " + systemReason(appended.leftBecause);
            break;
    }
    return {false, reason};
}
