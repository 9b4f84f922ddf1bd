#pragma once
// The system information record, as GetSystemInfo and GetNativeSystemInfo fill it.

#include <cstdint>

struct SystemInfoRecord {
    uint32_t processorType = 0;  // dwProcessorType, in Windows' numbering
    // wProcessorArchitecture: 0 x86, 5 ARM, 6 Itanium, 9 x64, 12 ARM64, 0xFFFF unknown.
    uint16_t processorArchitecture = 0;
};

struct SystemInfo {
    virtual ~SystemInfo() = default;
    virtual void getSystemInfo(SystemInfoRecord& record) = 0;
    // The system as it is: a 32-bit process on 64-bit Windows (WoW64) sees x64 here.
    virtual void getNativeSystemInfo(SystemInfoRecord& record) = 0;
};

struct Win32SystemInfo : SystemInfo {
    void getSystemInfo(SystemInfoRecord& record) override;
    void getNativeSystemInfo(SystemInfoRecord& record) override;
};
