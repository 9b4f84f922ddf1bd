#include "facts/windows_version.h"

namespace {

std::string versionName(const VersionRecord& r) {
    switch (r.platformId) {
        case 1:
            return r.minorVersion == 0 ? "Windows 95" : r.minorVersion == 10 ? "Windows 98" : "";
        case 2:
            if (r.majorVersion == 3) return "Windows NT 3.51";
            if (r.majorVersion == 4) return "Windows NT 4.0";
            if (r.majorVersion == 5) {
                return r.minorVersion == 0   ? "Windows 2000"
                       : r.minorVersion == 1 ? "Windows XP"
                                             : "";
            }
            return "";
        default:
            return "Chyba";
    }
}

}  // namespace

WindowsVersion gatherWindowsVersion(VersionInfo& version, CodePage& ansi) {
    WindowsVersion found;
    // A failing call leaves the record as offered: spaces, which then are the service pack.
    found.record.csdVersion.fill(' ');
    version.getVersionEx(found.record);
    std::string csd = ansi.toUtf8(
        std::string_view(found.record.csdVersion.data(), found.record.csdVersion.size()));
    found.servicePack = csd.substr(0, csd.find('\0'));
    return found;
}

std::string GetWindowsVersionName(const WindowsVersion& found) {
    return versionName(found.record) + " - " + found.servicePack;
}
