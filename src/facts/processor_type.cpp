#include "facts/processor_type.h"

namespace {

struct ProcessorName {
    int32_t code;
    const char* text;
};

constexpr ProcessorName kProcessorNames[] = {
    {386, "Procesor: INTEL 386"},     {486, "Procesor: INTEL 486"},
    {586, "Procesor: INTEL PENTIUM"}, {4000, "Procesor: MIPS R4000"},
    {21064, "Procesor: ALPHA 21064"},
};

}  // namespace

int32_t GetProcessorType(SystemInfo& system) {
    SystemInfoRecord SysInfo;
    system.getSystemInfo(SysInfo);
    return static_cast<int32_t>(SysInfo.processorType);
}

std::string ProcessorTypeText(int32_t code) {
    for (const ProcessorName& name : kProcessorNames)
        if (name.code == code) return name.text;
    return std::to_string(code);
}
