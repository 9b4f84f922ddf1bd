#include <windows.h>

#include "platform/drives.h"

uint32_t Win32Drives::getLogicalDriveStrings(std::string& buffer) {
    return GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
}

uint32_t Win32Drives::getDriveType(const std::string& root) {
    return GetDriveTypeA(root.c_str());
}

bool Win32Drives::getVolumeInformation(const std::string& root, std::string& label,
                                       uint32_t& serial) {
    // Nothing more than label and serial is asked for: under Wine the file system's
    // name and flags cost another query of the volume, a third of the call.
    DWORD number = 0;
    if (!GetVolumeInformationA(root.c_str(), label.data(), static_cast<DWORD>(label.size()),
                               &number, nullptr, nullptr, nullptr, 0))
        return false;
    serial = number;
    return true;
}

bool Win32Drives::getDiskFreeSpaceEx(const std::string& root, uint64_t& availableToCaller,
                                     uint64_t& totalBytes, uint64_t& totalFreeBytes) {
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free)) return false;
    availableToCaller = available.QuadPart;
    totalBytes = total.QuadPart;
    totalFreeBytes = free.QuadPart;
    return true;
}
