#pragma once
// The processor family that Windows reports, as a short text for the "Procesor" button.

#include <cstdint>
#include <string>

#include "platform/platform.h"

struct mod_Procesor_type {
    explicit mod_Procesor_type(Platform& os) : os(os) {}

    Platform& os;
    SystemInfoRecord SysInfo;    // filled anew on every reading
    std::string sProcessorType;  // the text of the last press

    void ShowProcessorType();
    void SetProcessorTypeText();
    int32_t GetProcessorType();
};
