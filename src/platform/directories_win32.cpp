#include <windows.h>

#include "platform/code_page_win32.h"
#include "platform/directories.h"

uint32_t Win32Directories::getWindowsDirectory(std::string& buffer) {
    return filledInPlace(buffer, [](char* data, size_t size) {
        return GetWindowsDirectoryA(data, static_cast<UINT>(size));
    });
}

uint32_t Win32Directories::getTempPath(std::string& buffer) {
    return filledInPlace(buffer, [](char* data, size_t size) {
        return GetTempPathA(static_cast<DWORD>(size), data);
    });
}

uint32_t Win32Directories::getSystemDirectory(std::string& buffer) {
    return filledInPlace(buffer, [](char* data, size_t size) {
        return GetSystemDirectoryA(data, static_cast<UINT>(size));
    });
}
