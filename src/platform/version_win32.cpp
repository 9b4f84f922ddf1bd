#include <windows.h>

#include <cstring>

#include "platform/version.h"

void Win32VersionInfo::getVersionEx(VersionRecord& record) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    info.dwMajorVersion = record.majorVersion;
    info.dwMinorVersion = record.minorVersion;
    info.dwBuildNumber = record.buildNumber;
    info.dwPlatformId = record.platformId;
    std::memcpy(info.szCSDVersion, record.csdVersion.data(), sizeof info.szCSDVersion);
    static_assert(sizeof info.szCSDVersion == sizeof record.csdVersion);
    GetVersionExA(&info);
    record.majorVersion = info.dwMajorVersion;
    record.minorVersion = info.dwMinorVersion;
    record.buildNumber = info.dwBuildNumber;
    record.platformId = info.dwPlatformId;
    std::memcpy(record.csdVersion.data(), info.szCSDVersion, sizeof info.szCSDVersion);
}
