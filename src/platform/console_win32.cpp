#include <windows.h>

#include "platform/console.h"
#include "platform/utf16_win32.h"

namespace {

// The console takes the text as it is; a file or a pipe that the starter redirected
// the stream to takes it in the console's code page, as a console program's output.
bool writeTo(HANDLE handle, const std::wstring& text) {
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(handle, &mode))
        return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written,
                             nullptr) != FALSE;
    UINT codePage = GetConsoleOutputCP();
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
    return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace

// A program of the Windows subsystem gets no console of its own; it shares its
// starter's. Its standard handles are what the starter gave it, which may be none or
// stale ones: then the console itself.
void Win32Console::write(unsigned long stream, const std::string& line) {
    // Wine hands a console program's console on to the programs it starts, windowed
    // ones too: they are attached already, and asking again is refused.
    if (!attached_)
        attached_ = AttachConsole(ATTACH_PARENT_PROCESS) || GetLastError() == ERROR_ACCESS_DENIED;
    if (!*attached_) return;
    const std::wstring text = widen(line) + L"\r\n";
    HANDLE given = GetStdHandle(stream);
    if (given && given != INVALID_HANDLE_VALUE && writeTo(given, text)) return;
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) return;
    writeTo(console, text);
    CloseHandle(console);
}

void Win32Console::out(const std::string& line) {
    write(STD_OUTPUT_HANDLE, line);
}

void Win32Console::err(const std::string& line) {
    write(STD_ERROR_HANDLE, line);
}
