#pragma once
// A system information record with the processor type and the system's architecture
// a test sets.

#include "platform/system_info.h"

struct FakeSystemInfo : SystemInfo {
    uint32_t processorType = 586;
    uint16_t nativeArchitecture = 9;  // x64
    size_t calls = 0;
    void getSystemInfo(SystemInfoRecord& record) override {
        ++calls;
        record.processorType = processorType;
    }
    void getNativeSystemInfo(SystemInfoRecord& record) override {
        record = {processorType, nativeArchitecture};
    }
};
