#pragma once
// A processor as WMI lists it with every property the processor window shows, each of
// the kind Win32_Processor declares, and a clock speed beyond 31 bits.

#include <map>
#include <string>

#include "platform/wmi_fake.h"

inline std::map<std::string, WmiValue, NoCaseLess> fullProcessor(const std::string& name) {
    return {
        {"Name", WmiValue::ofText(name)},
        {"Description", WmiValue::ofText("x64 Family 6 Model 158")},
        {"ProcessorId", WmiValue::ofText("BFEBFBFF000906EA")},
        {"Status", WmiValue::ofText("OK")},
        {"Manufacturer", WmiValue::ofText("GenuineIntel")},
        {"LoadPercentage", WmiValue::ofInteger(7)},
        {"CurrentClockSpeed", WmiValue::ofInteger(2800)},
        {"MaxClockSpeed", WmiValue::ofInteger(4294967295)},
        {"L2CacheSize", WmiValue::ofInteger(1024)},
        {"L2CacheSpeed", WmiValue::ofInteger(0)},
        {"PowerManagementSupported", WmiValue::ofBoolean(false)},
    };
}
