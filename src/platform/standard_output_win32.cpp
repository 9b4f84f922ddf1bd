#include <windows.h>

#include <memory>
#include <type_traits>

#include "platform/standard_output.h"
#include "platform/system_reason_win32.h"
#include "platform/utf16_win32.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

Outcome failed(DWORD code) {
    // A failed call may leave no code of its own.
    return {false, systemReason(code ? code : ERROR_WRITE_FAULT)};
}

// Whole or not at all as far as the caller can tell: a short write is a failure, as a
// full disk under a redirected file gives one.
Outcome writeTo(HANDLE handle, std::string_view text) {
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring letters = widen(text);
        if (!WriteConsoleW(handle, letters.data(), static_cast<DWORD>(letters.size()), &written,
                           nullptr))
            return failed(GetLastError());
        return written == letters.size() ? Outcome{} : failed(ERROR_WRITE_FAULT);
    }
    if (!WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
        return failed(GetLastError());
    if (written == text.size()) return {};
    return failed(GetFileType(handle) == FILE_TYPE_DISK ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
}

}  // namespace

Outcome Win32StandardOutput::write(std::string_view text) {
    HANDLE given = GetStdHandle(STD_OUTPUT_HANDLE);
    if (given && given != INVALID_HANDLE_VALUE && GetFileType(given) != FILE_TYPE_UNKNOWN)
        return writeTo(given, text);
    // Wine hands a console program's console on to the windowed programs it starts:
    // they are attached already, and asking again is refused.
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED)
        return failed(GetLastError());
    HANDLE opened = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return failed(GetLastError());
    OwnedHandle console(opened);
    return writeTo(console.get(), text);
}
