#include "facts/processor_details.h"

#include "facts/line_end.h"

namespace {

using K = WmiValue::Kind;

struct DetailLine {
    const char* label;
    ProcessorProperty property;
    const char* unit;
    const char* end;
};

// The kinds are those Win32_Processor declares (strings, 16- and 32-bit integers, a
// boolean).
const DetailLine kDetailLines[] = {
    {"Procesor: ", {"Name", K::Text}, "", kLineEnd},
    {"Popis: ", {"Description", K::Text}, "", kLineEnd},
    {"ID procesoru: ", {"ProcessorID", K::Text}, "", kLineEnd},
    {"Stav ", {"Status", K::Text}, "", kLineEnd},
    {"Výrobce: ", {"Manufacturer", K::Text}, "", kLineEnd},
    {"Využití: ", {"LoadPercentage", K::Integer}, "", kLineEnd},
    {"Rychlost: ", {"CurrentClockSpeed", K::Integer}, "   MHz", kLineEnd},
    {"Maximální rychlost: ", {"MaxClockSpeed", K::Integer}, "", kLineEnd},
    {"Velikost Level 2 Cache: ", {"L2CacheSize", K::Integer}, "", kLineEnd},
    {"Rychlost Level 2 Cache: ", {"L2CacheSpeed", K::Integer}, "", kLineEnd},
    {"Podpora řízení spotřeby: ", {"PowerManagementSupported", K::Boolean}, "", ""},
};

}  // namespace

std::string ProcesorTitle(int32_t count) {
    return std::to_string(count) + " procesor" +
           (count == 1 ? " detekován na tomto stroji." : "y detekovány na tomto stroji.");
}

std::string ValueText(const WmiValue& value) {
    switch (value.kind) {
        case WmiValue::Kind::Text:
            return value.text;
        case WmiValue::Kind::Integer:
            return std::to_string(value.integer);
        case WmiValue::Kind::Boolean:
            return value.boolean ? "True" : "False";
        case WmiValue::Kind::Null:
            break;
    }
    return {};
}

std::string ProcesorDetails(WmiObject* cpu) {
    std::string details;
    for (const DetailLine& line : kDetailLines) {
        if (!cpu) break;
        WmiResult<WmiValue> value = cpu->property(line.property.name);
        if (!value.ok()) continue;
        details += line.label;
        // A unit without its number would mislead: a null speed leaves the label alone.
        if (value.value().kind != WmiValue::Kind::Null)
            details += ValueText(value.value()) + line.unit;
        details += line.end;
    }
    return details;
}

std::vector<ProcessorProperty> processorProperties() {
    std::vector<ProcessorProperty> properties;
    for (const DetailLine& line : kDetailLines) properties.push_back(line.property);
    return properties;
}

ProcessorsFound gatherProcessors(Wmi& wmi) {
    WmiResult<std::unique_ptr<WmiServices>> connected = wmi.connect();
    if (!connected.ok()) return {connected.failure(), {}};
    return gatherProcessors(*connected.value());
}

ProcessorsFound gatherProcessors(WmiServices& wmi) {
    WmiResult<std::unique_ptr<WmiObjectSet>> cpus = wmi.instancesOf("Win32_Processor");
    if (!cpus.ok()) return {cpus.failure(), {}};
    ProcessorsFound found;
    WmiResult<WmiDone> listed = cpus.value()->forEach([&found](WmiObject& cpu) {
        std::vector<WmiResult<WmiValue>>& values = found.processors.emplace_back();
        for (const DetailLine& line : kDetailLines)
            values.push_back(cpu.property(line.property.name));
        return true;
    });
    if (!listed.ok()) return {listed.failure(), {}};
    return found;
}

void processorsRecord(Json& record, WmiSession& session) {
    if (!session.ok()) return unread(record, "processors", session.failure());
    ProcessorsFound found = gatherProcessors(*session.value());
    if (found.failure) return unread(record, "processors", *found.failure);
    Json list = Json::array();
    for (const std::vector<WmiResult<WmiValue>>& values : found.processors) {
        Json cpu = Json::object();
        for (size_t i = 0; i < std::size(kDetailLines); ++i) {
            const ProcessorProperty& p = kDetailLines[i].property;
            const WmiField::Form form = p.kind == K::Integer   ? WmiField::Form::Integer
                                        : p.kind == K::Boolean ? WmiField::Form::Boolean
                                                               : WmiField::Form::Text;
            wmiValue(cpu, {p.name, p.name, form}, values[i]);
        }
        list.push_back(cpu);
    }
    record["processors"] = list;
}
