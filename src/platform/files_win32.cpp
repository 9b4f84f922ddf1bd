#include <windows.h>

#include "platform/code_page_win32.h"
#include "platform/files.h"
#include "platform/system_reason_win32.h"
#include "platform/utf16_win32.h"

namespace {

struct FileHandle {
    HANDLE h;
    ~FileHandle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

Outcome failed(DWORD code) {
    return {false, systemReason(code)};
}

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
    const std::string bytes = toAnsi(text).bytes;
    if (DWORD code = unfitPath(path)) return failed(code);
    // Write access rather than append-only access, so that a short write can be cut back.
    FileHandle file{CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return failed(GetLastError());
    bool created = GetLastError() != ERROR_ALREADY_EXISTS;

    LARGE_INTEGER oldEnd{};
    if (!SetFilePointerEx(file.h, LARGE_INTEGER{}, &oldEnd, FILE_END))
        return failed(GetLastError());
    DWORD written = 0;
    BOOL wrote =
        WriteFile(file.h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    DWORD code = 0;
    if (wrote && written != bytes.size())
        code = ERROR_DISK_FULL;  // a full disk may take part of the record and report success
    else if (!wrote || !FlushFileBuffers(file.h))
        code = GetLastError();  // unflushed, the record may be only in the cache: not saved
    if (code == 0) return {};

    SetFilePointerEx(file.h, oldEnd, nullptr, FILE_BEGIN);
    SetEndOfFile(file.h);
    if (created) {
        CloseHandle(file.h);
        file.h = INVALID_HANDLE_VALUE;
        DeleteFileW(path.c_str());
    }
    return failed(code);
}
