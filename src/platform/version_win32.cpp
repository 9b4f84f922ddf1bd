#include <windows.h>

#include "platform/utf16_win32.h"
#include "platform/version.h"

bool Win32VersionInfo::getVersionEx(VersionRecord& record) {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) return false;
    record.majorVersion = info.dwMajorVersion;
    record.minorVersion = info.dwMinorVersion;
    record.buildNumber = info.dwBuildNumber;
    record.platformId = info.dwPlatformId;
    record.csdVersion = narrow(std::wstring_view(info.szCSDVersion, std::size(info.szCSDVersion)));
    record.productType = info.wProductType;
    return true;
}
