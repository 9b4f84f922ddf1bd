#pragma once
// The Windows version record, as GetVersionEx fills its extended form.

#include <cstdint>
#include <string>

struct VersionRecord {
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    uint32_t platformId = 0;
    // The whole service-pack field, 128 characters in UTF-8: its text, a NUL and
    // whatever follows it.
    std::string csdVersion;
    uint8_t productType = 0;  // 1 a workstation, 2 a domain controller, 3 a server
};

struct VersionInfo {
    virtual ~VersionInfo() = default;
    // Fills what the system knows into the record; a failing call leaves it as it was
    // and says false.
    virtual bool getVersionEx(VersionRecord& record) = 0;
};

struct Win32VersionInfo : VersionInfo {
    bool getVersionEx(VersionRecord& record) override;
};
