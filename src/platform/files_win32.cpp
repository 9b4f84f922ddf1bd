#include <windows.h>

#include "platform/code_page_win32.h"
#include "platform/file_append.h"
#include "platform/file_calls_win32.h"
#include "platform/files.h"
#include "platform/system_reason_win32.h"
#include "platform/utf16_win32.h"

namespace {

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

Outcome appendBytes(const std::string& utf8Path, std::string_view bytes, std::string_view lineEnd,
                    std::chrono::milliseconds patience) {
    std::wstring path = widen(utf8Path);
    if (DWORD code = unfitPath(path)) return {false, systemReason(code)};
    Win32FileCalls file(path);
    Appended appended = appendWhenFree(file, bytes, lineEnd, patience, [](auto pause) {
        Sleep(static_cast<DWORD>(pause.count()));
    });
    if (!appended.failure) return {};
    std::string reason = systemReason(appended.failure);
    switch (appended.left) {
        case Appended::Left::AsItWas:
            break;
        case Appended::Left::Empty:
            reason += "\r\nSoubor zůstal na disku prázdný: " + systemReason(appended.leftBecause);
            break;
        case Appended::Left::PartOfRecord:
            reason +=
                "\r\nSoubor může obsahovat část záznamu: " + systemReason(appended.leftBecause);
            break;
    }
    return {false, reason};
}

}  // namespace

Outcome Win32Files::append(const std::string& utf8Path, std::string_view text) {
    if (toAnsi(utf8Path).lossy) return {false, kNameOutsideCodePage};
    return appendBytes(utf8Path, toAnsi(text).bytes, "\r\n", busyPatience);
}

Outcome Win32Files::appendUtf8(const std::string& utf8Path, std::string_view text) {
    return appendBytes(utf8Path, text, "\n", busyPatience);
}
