#include <windows.h>

#include "platform/console.h"
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
UINT outputCodePage() {
    UINT codePage = GetConsoleOutputCP();
    return codePage ? codePage : GetOEMCP();
}

// A console takes the text as it is; a file or a pipe takes it in the console's code
// page, as a console program's redirected output.
bool writeTo(HANDLE handle, const std::wstring& text) {
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(handle, &mode))
        return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written,
                             nullptr) != FALSE;
    UINT codePage = outputCodePage();
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
    return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace

// A program of the Windows subsystem gets no console of its own. What its starter
// gave it comes first: `> out.log`, a pipe from a service or a remote-run tool, which
// has no console at all. Only without such a handle is the starter's console the
// place, as when cmd starts the program without redirecting it; a console handle
// that the program cannot use unattached counts as none.
void Win32Console::write(unsigned long stream, const std::string& line) {
    const std::wstring text = widen(line) + L"\r\n";
    HANDLE handle = GetStdHandle(stream);
    if (given(handle)) {
        if (writeTo(handle, text) || GetFileType(handle) != FILE_TYPE_CHAR) return;
    }
    // Wine hands a console program's console on to the programs it starts, windowed
    // ones too: they are attached already, and asking again is refused.
    if (!attached_)
        attached_ = AttachConsole(ATTACH_PARENT_PROCESS) || GetLastError() == ERROR_ACCESS_DENIED;
    if (!*attached_) return;
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
