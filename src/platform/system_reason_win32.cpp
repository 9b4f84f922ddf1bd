#include "platform/system_reason_win32.h"

#include <windows.h>

#include "platform/utf16_win32.h"

std::string systemReason(uint32_t code) {
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason(text ? text : L"", n);
    LocalFree(text);
    // The system's texts end with a line end of their own.
    while (!reason.empty() &&
           (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    if (reason.empty()) return "Chyba " + std::to_string(code);
    return narrow(reason);
}
