#include <windows.h>

#include "platform/console.h"
#include "platform/utf16_win32.h"

// A program of the Windows subsystem gets no console of its own; it shares its
// starter's. A handle the starter redirected to a file or a pipe takes the bytes in
// the console's code page, as a console program's output would; the console itself
// takes the text as it is.
void Win32Console::write(unsigned long stream, const std::string& line) {
    // Wine hands a console program's console on to the programs it starts, windowed
    // ones too: they are attached already, and asking again is refused.
    if (!attached_)
        attached_ = AttachConsole(ATTACH_PARENT_PROCESS) || GetLastError() == ERROR_ACCESS_DENIED;
    if (!*attached_) return;
    HANDLE handle = GetStdHandle(stream);
    bool ownHandle = false;
    if (!handle || handle == INVALID_HANDLE_VALUE) {
        handle = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return;
        ownHandle = true;
    }
    std::wstring text = widen(line) + L"\r\n";
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else {
        UINT codePage = GetConsoleOutputCP();
        int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
        std::string bytes(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            n, nullptr, nullptr);
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    if (ownHandle) CloseHandle(handle);
}

void Win32Console::out(const std::string& line) {
    write(STD_OUTPUT_HANDLE, line);
}

void Win32Console::err(const std::string& line) {
    write(STD_ERROR_HANDLE, line);
}
