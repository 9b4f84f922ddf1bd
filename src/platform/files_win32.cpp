#include <windows.h>

#include "platform/files.h"
#include "platform/system_reason_win32.h"

namespace {

struct FileHandle {
    HANDLE h;
    ~FileHandle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

std::wstring fromAnsi(const std::string& ansi) {
    if (ansi.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return wide;
}

FileOutcome failed(DWORD code) {
    return {false, systemReason(code)};
}

}  // namespace

FileOutcome Win32Files::append(const std::string& ansiPath, std::string_view bytes) {
    std::wstring path = fromAnsi(ansiPath);
    // Write access rather than append-only access, so that a short write can be cut back.
    FileHandle file{CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return failed(GetLastError());
    bool created = GetLastError() != ERROR_ALREADY_EXISTS;

    LARGE_INTEGER oldEnd{};
    if (!SetFilePointerEx(file.h, LARGE_INTEGER{}, &oldEnd, FILE_END))
        return failed(GetLastError());
    DWORD written = 0;
    BOOL ok = WriteFile(file.h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (ok && written == bytes.size()) return {};

    // A full disk may take part of the record and still report success.
    DWORD code = ok ? ERROR_DISK_FULL : GetLastError();
    SetFilePointerEx(file.h, oldEnd, nullptr, FILE_BEGIN);
    SetEndOfFile(file.h);
    if (created) {
        CloseHandle(file.h);
        file.h = INVALID_HANDLE_VALUE;
        DeleteFileW(path.c_str());
    }
    return failed(code);
}
