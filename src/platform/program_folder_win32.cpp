#include <windows.h>

#include "platform/program_folder.h"
#include "platform/utf16_win32.h"

std::string Win32ProgramFolder::path() {
    std::wstring file(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size()));
        if (n < file.size()) {
            file.resize(n);
            break;
        }
        file.resize(file.size() * 2);
    }
    return narrow(file.substr(0, file.find_last_of(L'\\')));
}
