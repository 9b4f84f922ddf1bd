#include <windows.h>

#include "platform/code_page_win32.h"
#include "platform/volumes.h"

uint32_t Win32Volumes::getLogicalDriveStrings(std::string& buffer) {
    return filledInPlace(buffer, [](char* data, size_t size) {
        return GetLogicalDriveStringsA(static_cast<DWORD>(size), data);
    });
}

uint32_t Win32Volumes::getDriveType(const std::string& root) {
    return GetDriveTypeA(toAnsi(root).bytes.c_str());
}

namespace {

// Nothing there to read: no such drive, or no medium in it. Under Wine a volume query
// of a missing drive takes ten times as long as this (35 against 3 microseconds), and
// the drives section probes 24 letters, most of them missing.
bool noVolume(const std::string& ansiRoot) {
    if (GetFileAttributesA(ansiRoot.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    DWORD error = GetLastError();
    return error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND ||
           error == ERROR_INVALID_DRIVE || error == ERROR_NOT_READY;
}

}  // namespace

bool Win32Volumes::getVolumeInformation(const std::string& root, std::string& label,
                                        uint32_t& serial) {
    const std::string ansiRoot = toAnsi(root).bytes;
    if (noVolume(ansiRoot)) return false;
    // Nothing more than label and serial is asked for: under Wine the file system's
    // name and flags cost another query of the volume, a third of the call.
    DWORD number = 0;
    bool read = filledInPlace(label, [&](char* data, size_t size) {
        return GetVolumeInformationA(ansiRoot.c_str(), data, static_cast<DWORD>(size), &number,
                                     nullptr, nullptr, nullptr, 0);
    });
    if (!read) return false;
    serial = number;
    return true;
}

bool Win32Volumes::getDiskFreeSpaceEx(const std::string& root, uint64_t& availableToCaller,
                                      uint64_t& totalBytes, uint64_t& totalFreeBytes) {
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExA(toAnsi(root).bytes.c_str(), &available, &total, &free)) return false;
    availableToCaller = available.QuadPart;
    totalBytes = total.QuadPart;
    totalFreeBytes = free.QuadPart;
    return true;
}
