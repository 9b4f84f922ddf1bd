#include "facts/windows_version.h"

namespace {

constexpr size_t kServicePackField = 128;
constexpr uint8_t kWorkstation = 1;  // VER_NT_WORKSTATION; servers and domain controllers differ

std::string windows10Name(const VersionRecord& r) {
    if (r.productType == kWorkstation) return r.buildNumber < 22000 ? "Windows 10" : "Windows 11";
    return r.buildNumber < 17763   ? "Windows Server 2016"
           : r.buildNumber < 20348 ? "Windows Server 2019"
           : r.buildNumber < 26100 ? "Windows Server 2022"
                                   : "Windows Server 2025";
}

// Versions since XP x64, where only the product type tells a workstation from a server.
std::string ntName(const VersionRecord& r) {
    struct Row {
        uint32_t major, minor;
        const char *workstation, *server;
    };
    static const Row rows[] = {
        {5, 2, "Windows XP Professional x64 Edition", "Windows Server 2003"},
        {6, 0, "Windows Vista", "Windows Server 2008"},
        {6, 1, "Windows 7", "Windows Server 2008 R2"},
        {6, 2, "Windows 8", "Windows Server 2012"},
        {6, 3, "Windows 8.1", "Windows Server 2012 R2"},
    };
    if (r.majorVersion == 10 && r.minorVersion == 0) return windows10Name(r);
    for (const Row& row : rows) {
        if (row.major == r.majorVersion && row.minor == r.minorVersion)
            return r.productType == kWorkstation ? row.workstation : row.server;
    }
    return "";
}

}  // namespace

std::string windowsName(const VersionRecord& r) {
    switch (r.platformId) {
        case 1:
            return r.minorVersion == 0 ? "Windows 95" : r.minorVersion == 10 ? "Windows 98" : "";
        case 2:
            if (r.majorVersion == 3) return "Windows NT 3.51";
            if (r.majorVersion == 4) return "Windows NT 4.0";
            if (r.majorVersion == 5 && r.minorVersion == 0) return "Windows 2000";
            if (r.majorVersion == 5 && r.minorVersion == 1) return "Windows XP";
            return ntName(r);
        default:
            return "Chyba";
    }
}

WindowsVersion gatherWindowsVersion(VersionInfo& version) {
    WindowsVersion found;
    // A failing call leaves the record as offered: spaces, which then are the service pack.
    found.record.csdVersion.assign(kServicePackField, ' ');
    found.read = version.getVersionEx(found.record);
    const std::string& csd = found.record.csdVersion;
    found.servicePack = csd.substr(0, csd.find('\0'));
    return found;
}

int windowsBits(uint16_t processorArchitecture) {
    switch (processorArchitecture) {
        case 0:  // x86
        case 5:  // ARM
            return 32;
        case 6:   // Itanium
        case 9:   // x64
        case 12:  // ARM64
            return 64;
        default:
            return 0;
    }
}

std::string GetWindowsVersionName(const WindowsVersion& found) {
    return windowsName(found.record) + " - " + found.servicePack;
}

Json windowsRecord(VersionInfo& version, SystemInfo& system) {
    Json found = Json::object();
    const WindowsVersion read = gatherWindowsVersion(version);
    if (read.read) {
        const VersionRecord& r = read.record;
        found["name"] = windowsName(r);
        found["major"] = r.majorVersion;
        found["minor"] = r.minorVersion;
        found["build"] = r.buildNumber;
        found["servicePack"] = read.servicePack;
    } else {
        for (const char* key : {"name", "major", "minor", "build", "servicePack"})
            unread(found, key, "Verzi Windows se nepodařilo zjistit (GetVersionEx).");
    }
    SystemInfoRecord native;
    system.getNativeSystemInfo(native);
    if (int bits = windowsBits(native.processorArchitecture)) {
        found["bits"] = bits;
    } else {
        unread(found, "bits",
               "Neznámá architektura systému: " + std::to_string(native.processorArchitecture));
    }
    return found;
}
