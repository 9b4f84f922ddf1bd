// Any processors with any property values: each property missing, null, any text,
// any integer or a boolean. The details text has one line per property there is,
// and the window lists them, shows the first and writes it into the report.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "app/kavrona.h"
#include "facts/processor_details.h"
#include "platform/platform_fake.h"
#include "require.h"

namespace {

const char* const kProperties[] = {"Name",
                                   "Description",
                                   "ProcessorID",
                                   "Status",
                                   "Manufacturer",
                                   "LoadPercentage",
                                   "CurrentClockSpeed",
                                   "MaxClockSpeed",
                                   "L2CacheSize",
                                   "L2CacheSpeed",
                                   "PowerManagementSupported"};

size_t count(const std::string& text, std::string_view what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

FakeWmiInstance processorFrom(FuzzedDataProvider& in, int index) {
    FakeWmiInstance cpu;
    cpu.path = "\\\\PC\\ROOT\\CIMV2:Win32_Processor.DeviceID=\"CPU" + std::to_string(index) + "\"";
    for (const char* name : kProperties) {
        switch (in.ConsumeIntegralInRange(0, 4)) {
            case 0:
                break;  // missing
            case 1:
                cpu.properties[name] = WmiValue{};
                break;
            case 2:
                cpu.properties[name] = WmiValue::ofText(in.ConsumeRandomLengthString(128));
                break;
            case 3:
                cpu.properties[name] = WmiValue::ofInteger(in.ConsumeIntegral<int64_t>());
                break;
            default:
                cpu.properties[name] = WmiValue::ofBoolean(in.ConsumeBool());
        }
    }
    return cpu;
}

// Without line ends in the values, each property there is makes one line, and all
// but the last property's line end in CR LF.
void checkDetails(const FakeWmiInstance& cpu, const std::string& details) {
    bool plain = true;
    size_t present = 0;
    for (const char* name : kProperties) {
        auto it = cpu.properties.find(name);
        if (it == cpu.properties.end()) continue;
        ++present;
        if (it->second.text.find_first_of("\r\n") != std::string::npos) plain = false;
    }
    require(details.empty() == (present == 0));
    if (!plain) return;
    bool lastThere = cpu.properties.count("PowerManagementSupported") > 0;
    require(count(details, "\r\n") == present - (lastThere ? 1 : 0));
    auto speed = cpu.properties.find("CurrentClockSpeed");
    bool withUnit = speed != cpu.properties.end() && speed->second.kind != WmiValue::Kind::Null;
    bool unitInTexts = false;
    for (const auto& [name, value] : cpu.properties)
        unitInTexts = unitInTexts || value.text.find("MHz") != std::string::npos;
    bool unitShown = details.find("   MHz") != std::string::npos;
    require(withUnit ? unitShown : unitInTexts || !unitShown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    require(!ProcesorTitle(in.ConsumeIntegral<int32_t>()).empty());

    FakePlatform fake;
    for (int i = in.ConsumeIntegralInRange(1, 3), n = 0; n < i; ++n)
        fake.wmi.processors.push_back(processorFrom(in, n));
    const FakeWmiInstance& first = fake.wmi.processors[0];
    HeadlessView view;
    Kavrona k{fake.platform(), view};
    k.start();
    k.form1.tb_Forms_show.onChange = nullptr;
    k.form1.tb_Forms_show.setText("6");
    k.procesor.show();

    // A processor without a name stops the listing with a box; otherwise the first
    // one's details are shown.
    bool unnamed = false;
    for (const FakeWmiInstance& cpu : fake.wmi.processors) {
        auto name = cpu.properties.find("Name");
        unnamed =
            unnamed || name == cpu.properties.end() || name->second.kind == WmiValue::Kind::Null;
    }
    if (unnamed) {
        require(fake.dialogs.shown.size() == 1 && fake.dialogs.shown[0].title == "WMI Demo");
        return 0;
    }
    require(fake.dialogs.shown.empty() && k.procesor.lstCPU.listIndex() == 0);
    std::string details = k.procesor.txtCPU.text();
    checkDetails(first, details);
    k.procesor.cmd_Write.click();
    require(k.form1.tb_Info.text() == "\r\n" + details + "\r\n" && !k.procesor.loaded());
    return 0;
}
