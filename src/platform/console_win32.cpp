#include <windows.h>

#include "platform/console.h"
#include "platform/system_reason_win32.h"
#include "platform/utf16_win32.h"

namespace {

// A handle the starter gave for the stream: a file, a pipe or a console. A windowed
// program started without one has none (null), and one it inherited that points
// nowhere has no file type.
bool given(HANDLE handle) {
    if (!handle || handle == INVALID_HANDLE_VALUE) return false;
    SetLastError(NO_ERROR);  // an unknown type with no error is a handle all the same
    return GetFileType(handle) != FILE_TYPE_UNKNOWN || GetLastError() == NO_ERROR;
}

// The code page of a console program's redirected output. Without a console of its
// own the program has none to ask, and a console would start in the OEM code page.
std::string inOutputCodePage(const std::wstring& text) {
    UINT codePage = GetConsoleOutputCP();
    if (!codePage) codePage = GetOEMCP();
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
    return bytes;
}

// A failed call may leave no code of its own.
DWORD lastFailure() {
    DWORD code = GetLastError();
    return code ? code : ERROR_WRITE_FAULT;
}

// 0 when the handle took all of `text`, else why not. A console takes the letters; a
// short write to a file is a full disk.
DWORD writeTo(HANDLE handle, std::string_view text, bool utf8) {
    DWORD mode = 0, written = 0;
    const std::wstring letters = widen(text);
    if (GetConsoleMode(handle, &mode)) {
        if (!WriteConsoleW(handle, letters.data(), static_cast<DWORD>(letters.size()), &written,
                           nullptr))
            return lastFailure();
        return written == letters.size() ? 0 : ERROR_WRITE_FAULT;
    }
    const std::string bytes = utf8 ? std::string(text) : inOutputCodePage(letters);
    if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return lastFailure();
    if (written == bytes.size()) return 0;
    return GetFileType(handle) == FILE_TYPE_DISK ? ERROR_DISK_FULL : ERROR_WRITE_FAULT;
}

}  // namespace

// A program of the Windows subsystem gets no console of its own. What its starter
// gave it comes first: `> out.log`, a pipe from a service or a remote-run tool, which
// has no console at all. Only without such a handle is the starter's console the
// place, as when cmd starts the program without redirecting it; a console handle
// that the program cannot use unattached counts as none.
unsigned long Win32Console::write(unsigned long stream, std::string_view text, Bytes bytes) {
    const bool utf8 = bytes == Bytes::Utf8;
    HANDLE handle = GetStdHandle(stream);
    if (given(handle)) {
        DWORD failure = writeTo(handle, text, utf8);
        if (!failure || GetFileType(handle) != FILE_TYPE_CHAR) return failure;
    }
    // Wine hands a console program's console on to the programs it starts, windowed
    // ones too: they are attached already, and asking again is refused.
    if (!attached_)
        attached_ = AttachConsole(ATTACH_PARENT_PROCESS) || GetLastError() == ERROR_ACCESS_DENIED;
    if (!*attached_) return ERROR_INVALID_HANDLE;
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) return lastFailure();
    DWORD failure = writeTo(console, text, utf8);
    CloseHandle(console);
    return failure;
}

void Win32Console::out(const std::string& line) {
    write(STD_OUTPUT_HANDLE, line + "\r\n", Bytes::CodePage);
}

void Win32Console::err(const std::string& line) {
    write(STD_ERROR_HANDLE, line + "\r\n", Bytes::CodePage);
}

Outcome Win32Console::record(std::string_view text) {
    if (DWORD failure = write(STD_OUTPUT_HANDLE, text, Bytes::Utf8))
        return {false, systemReason(failure)};
    return {};
}
