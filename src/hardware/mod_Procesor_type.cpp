#include "hardware/mod_Procesor_type.h"

#include "app/kavrona.h"
#include "ui/msgbox.h"

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

int32_t mod_Procesor_type::GetProcessorType() {
    os.system.getSystemInfo(SysInfo);
    return static_cast<int32_t>(SysInfo.processorType);
}

void mod_Procesor_type::SetProcessorTypeText() {
    int32_t code = GetProcessorType();
    for (const ProcessorName& name : kProcessorNames) {
        if (name.code == code) {
            sProcessorType = name.text;
            return;
        }
    }
    sProcessorType = std::to_string(code);
}

void mod_Procesor_type::ShowProcessorType() {
    SetProcessorTypeText();
    MsgBox(os.dialogs, sProcessorType);
}

void Form1::Command1_Click() {
    program.procesor_type.ShowProcessorType();
}
