#pragma once
// The Windows version record, as GetVersionExA fills its extended form.

#include <array>
#include <cstdint>

struct VersionRecord {
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    uint32_t platformId = 0;
    std::array<char, 128> csdVersion{};  // ANSI service-pack text
    uint8_t productType = 0;             // 1 a workstation, 2 a domain controller, 3 a server
};

struct VersionInfo {
    virtual ~VersionInfo() = default;
    // Fills what the system knows into the record; a failing call leaves it as it was.
    virtual void getVersionEx(VersionRecord& record) = 0;
};

struct Win32VersionInfo : VersionInfo {
    void getVersionEx(VersionRecord& record) override;
};
