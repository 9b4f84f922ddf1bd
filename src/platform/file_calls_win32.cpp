#include "platform/file_calls_win32.h"

namespace {

FileCalls::Answer answer(BOOL ok) {
    return {ok != FALSE, ok ? 0 : static_cast<uint32_t>(GetLastError())};
}

}  // namespace

FileCalls::Answer Win32FileCalls::open(bool& created) {
    // Read access for the last byte, write access rather than append-only access, so
    // that a short write can be cut back. Delete access only for a file made here, so
    // that it goes through this handle: readers of a file that exists share reading and
    // writing with us, seldom deleting.
    for (;;) {
        h_ = openFor(GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
        if (h_ == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
            h_ = openFor(GENERIC_WRITE, OPEN_EXISTING);
        if (h_ != INVALID_HANDLE_VALUE) {
            created = false;
            return {};
        }
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return answer(FALSE);
        h_ = openFor(GENERIC_READ | GENERIC_WRITE | DELETE, CREATE_NEW);
        // A folder that lets the program write but not delete still takes the record.
        if (h_ == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
            h_ = openFor(GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
        if (h_ != INVALID_HANDLE_VALUE) {
            created = true;
            return {};
        }
        // Made by another writer in between: it exists now.
        if (GetLastError() != ERROR_FILE_EXISTS) return answer(FALSE);
    }
}

FileCalls::Answer Win32FileCalls::end(uint64_t& at) {
    LARGE_INTEGER end{};
    BOOL ok = SetFilePointerEx(h_, LARGE_INTEGER{}, &end, FILE_END);
    at = static_cast<uint64_t>(end.QuadPart);
    return answer(ok);
}

FileCalls::Answer Win32FileCalls::lastByte(uint64_t at, char& byte) {
    OVERLAPPED from{};
    from.Offset = static_cast<DWORD>(at - 1);
    from.OffsetHigh = static_cast<DWORD>((at - 1) >> 32);
    DWORD n = 0;
    if (!ReadFile(h_, &byte, 1, &n, &from)) return answer(FALSE);
    return {n == 1, n == 1 ? 0 : static_cast<uint32_t>(ERROR_HANDLE_EOF)};
}

FileCalls::Answer Win32FileCalls::write(std::string_view bytes, uint32_t& written) {
    DWORD n = 0;
    BOOL ok = WriteFile(h_, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    written = n;
    return answer(ok);
}

FileCalls::Answer Win32FileCalls::flush() {
    return answer(FlushFileBuffers(h_));
}

FileCalls::Answer Win32FileCalls::cutBack(uint64_t at) {
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(at);
    if (!SetFilePointerEx(h_, to, nullptr, FILE_BEGIN)) return answer(FALSE);
    return answer(SetEndOfFile(h_));
}

// Vista on; needs the handle's delete access. The file goes when the handle closes,
// and nobody can open it by name in between.
FileCalls::Answer Win32FileCalls::removeOnClose() {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return answer(
        SetFileInformationByHandle(h_, FileDispositionInfo, &disposition, sizeof(disposition)));
}

void Win32FileCalls::close() {
    closeHandle();
}

void Win32FileCalls::closeHandle() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
}

// Others may read the file meanwhile; another writer waits until the record is whole.
HANDLE Win32FileCalls::openFor(DWORD access, DWORD disposition) {
    return CreateFileW(path_.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}
