#include "platform/file_calls_win32.h"

namespace {

FileCalls::Answer answer(BOOL ok) {
    return {ok != FALSE, ok ? 0 : static_cast<uint32_t>(GetLastError())};
}

}  // namespace

FileCalls::Answer Win32FileCalls::open(bool& created) {
    // Write access rather than append-only access, so that a short write can be cut
    // back; delete access, so that a file made here goes through this handle. A folder
    // that lets the program write but not delete still takes the record.
    h_ = openFor(GENERIC_WRITE | DELETE);
    if (h_ == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
        h_ = openFor(GENERIC_WRITE);
    if (h_ == INVALID_HANDLE_VALUE) return answer(FALSE);
    created = GetLastError() != ERROR_ALREADY_EXISTS;
    return {};
}

FileCalls::Answer Win32FileCalls::end(uint64_t& at) {
    LARGE_INTEGER end{};
    BOOL ok = SetFilePointerEx(h_, LARGE_INTEGER{}, &end, FILE_END);
    at = static_cast<uint64_t>(end.QuadPart);
    return answer(ok);
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

HANDLE Win32FileCalls::openFor(DWORD access) {
    return CreateFileW(path_.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}
