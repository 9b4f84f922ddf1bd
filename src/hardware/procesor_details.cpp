#include "hardware/procesor_details.h"

namespace {

struct DetailLine {
    const char* label;
    const char* property;
    const char* unit;
    const char* end;
};

const DetailLine kDetailLines[] = {
    {"Procesor: ", "Name", "", "\r\n"},
    {"Popis: ", "Description", "", "\r\n"},
    {"ID procesoru: ", "ProcessorID", "", "\r\n"},
    {"Stav ", "Status", "", "\r\n"},
    {"Výrobce: ", "Manufacturer", "", "\r\n"},
    {"Využití: ", "LoadPercentage", "", "\r\n"},
    {"Rychlost: ", "CurrentClockSpeed", "   MHz", "\r\n"},
    {"Maximální rychlost: ", "MaxClockSpeed", "", "\r\n"},
    {"Velikost Level 2 Cache: ", "L2CacheSize", "", "\r\n"},
    {"Rychlost Level 2 Cache: ", "L2CacheSpeed", "", "\r\n"},
    {"Podpora řízení spotřeby: ", "PowerManagementSupported", "", ""},
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
        WmiResult<WmiValue> value = cpu->property(line.property);
        if (!value.ok()) continue;
        details += line.label;
        // A unit without its number would mislead: a null speed leaves the label alone.
        if (value.value().kind != WmiValue::Kind::Null)
            details += ValueText(value.value()) + line.unit;
        details += line.end;
    }
    return details;
}
