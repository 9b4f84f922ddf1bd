// Any answer the registry can give for the two BIOS values: any code, type code and
// reported length, any bytes in the buffer, in one query or after a "more data"
// answer. Read on its own, by "Info o BIOS" and as step 3 of the report.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "app/kavrona.h"
#include "facts/bios.h"
#include "platform/platform_fake.h"
#include "require.h"

namespace {

constexpr const char* kSystem = "Hardware\\Description\\System";

RegistryAnswer answerFrom(FuzzedDataProvider& in) {
    RegistryAnswer a;
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            a.code = kErrorSuccess;
            break;
        case 1:
            a.code = kErrorMoreData;
            break;
        case 2:
            a.code = kErrorFileNotFound;
            break;
        default:
            a.code = in.ConsumeIntegral<int32_t>();
    }
    // Mostly the types there are, sometimes any code at all.
    a.type = in.ConsumeBool() ? in.ConsumeIntegralInRange<uint32_t>(0, 12)
                              : in.ConsumeIntegral<uint32_t>();
    a.data = in.ConsumeRandomLengthString(4096);
    a.length =
        in.ConsumeBool() ? static_cast<uint32_t>(a.data.size()) : in.ConsumeIntegral<uint32_t>();
    return a;
}

ScriptedValue valueFrom(FuzzedDataProvider& in) {
    ScriptedValue v;
    v.answers.push_back(answerFrom(in));
    if (v.answers[0].code == kErrorMoreData) v.answers.push_back(answerFrom(in));
    return v;
}

bool hasNul(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

// Text is what arrived less at most `most` NULs at its end: nothing else goes.
void checkText(const std::string& text, const std::string& arrived, size_t most) {
    require(arrived.starts_with(text) && arrived.size() - text.size() <= most);
    require(arrived.find_first_not_of('\0', text.size()) == std::string::npos);
}

// The value as its last answer's type says, or an error; never anything else. Text
// keeps every byte that arrived before its terminators.
void checkValue(const RegistryResult& result, const RegistryAnswer& last, uint32_t buffer) {
    if (result.error) {
        require(std::holds_alternative<std::monostate>(result.value));
        require(!result.error->description.empty());
        return;
    }
    require(last.code == kErrorSuccess);
    size_t arrived = std::min<size_t>({last.length, last.data.size(), buffer});
    std::string bytes = last.data.substr(0, arrived);
    switch (last.type) {
        case 1:
        case 2:
            checkText(std::get<std::string>(result.value), bytes, 1);
            break;
        case 7:
            checkText(std::get<std::string>(result.value), bytes, 2);
            break;
        case 3:
            require(std::get<std::vector<uint8_t>>(result.value).size() == arrived);
            break;
        case 4:
            require(std::holds_alternative<int32_t>(result.value) && arrived >= 4);
            break;
        default:
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    FakePlatform fake;
    bool keyThere = in.ConsumeIntegralInRange(0, 15) != 0;
    std::vector<RegistryAnswer> probe;
    if (keyThere) {
        auto& system = fake.registry.key(kHKeyLocalMachine, kSystem);
        system["SystemBiosDate"] = valueFrom(in);
        system["SystemBiosVersion"] = valueFrom(in);
        system["Probe"] = valueFrom(in);
        probe = system["Probe"].answers;
    }
    HeadlessView view;
    Kavrona k{fake.platform(), view};
    k.start();
    auto allClosed = [&] {
        return fake.registry.closed ==
               (keyThere ? static_cast<int>(fake.registry.opened.size()) : 0);
    };

    RegistryResult read = GetRegistryValue(fake.registry, kHKeyLocalMachine, kSystem, "Probe");
    if (keyThere) {
        size_t asked = fake.registry.queries.size();
        require(asked == probe.size());
        checkValue(read, probe.back(), fake.registry.queries.back().second);
    } else {
        require(!read.error && std::holds_alternative<std::monostate>(read.value));
    }
    require(allClosed());

    // "Info o BIOS": one box, without NULs, and the report is not touched.
    k.form1.cmd_Show_Bios.click();
    require(fake.dialogs.shown.size() == 1 && !hasNul(fake.dialogs.shown[0].text));
    require(k.form1.tb_Info.text().empty() && !k.bios.loaded() && allClosed());

    // Step 3 alone: the section is appended and the step advanced, whatever was read.
    Form1& form1 = k.form1;
    form1.tb_Bios_info.setText("Ne");
    form1.tb_Forms_show.onChange = nullptr;
    form1.tb_Forms_show.setText("3");
    k.bios.show();
    const std::string& report = form1.tb_Info.text();
    require(report.starts_with("\r\n\r\nBIOS: \r\n") && report.ends_with("\r\n"));
    require(!hasNul(report) && form1.tb_Forms_show.text() == "4" && allClosed());
    return 0;
}
