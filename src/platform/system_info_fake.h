#pragma once
// A system information record with the processor type a test sets.

#include "platform/system_info.h"

struct FakeSystemInfo : SystemInfo {
    uint32_t processorType = 586;
    size_t calls = 0;
    void getSystemInfo(SystemInfoRecord& record) override {
        ++calls;
        record.processorType = processorType;
    }
};
