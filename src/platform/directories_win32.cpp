#include <windows.h>

#include "platform/directories.h"

uint32_t Win32Directories::getWindowsDirectory(std::span<char> buffer) {
    return GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
}

uint32_t Win32Directories::getTempPath(std::span<char> buffer) {
    return GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
}

uint32_t Win32Directories::getSystemDirectory(std::span<char> buffer) {
    return GetSystemDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
}
