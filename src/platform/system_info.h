#pragma once
// The system information record, as GetSystemInfo fills it.

#include <cstdint>

struct SystemInfoRecord {
    uint32_t processorType = 0;  // dwProcessorType, in Windows' numbering; the only member read
};

struct SystemInfo {
    virtual ~SystemInfo() = default;
    virtual void getSystemInfo(SystemInfoRecord& record) = 0;
};

struct Win32SystemInfo : SystemInfo {
    void getSystemInfo(SystemInfoRecord& record) override;
};
