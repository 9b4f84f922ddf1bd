#include <windows.h>

#include <cstring>

#include "platform/version.h"

void Win32VersionInfo::getVersionEx(VersionRecord& record) {
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof info;
    info.dwMajorVersion = record.majorVersion;
    info.dwMinorVersion = record.minorVersion;
    info.dwBuildNumber = record.buildNumber;
    info.dwPlatformId = record.platformId;
    std::memcpy(info.szCSDVersion, record.csdVersion.data(), sizeof info.szCSDVersion);
    info.wProductType = record.productType;
    static_assert(sizeof info.szCSDVersion == sizeof record.csdVersion);
    static_assert(sizeof info == 156);
    GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
    record.majorVersion = info.dwMajorVersion;
    record.minorVersion = info.dwMinorVersion;
    record.buildNumber = info.dwBuildNumber;
    record.platformId = info.dwPlatformId;
    std::memcpy(record.csdVersion.data(), info.szCSDVersion, sizeof info.szCSDVersion);
    record.productType = info.wProductType;
}
