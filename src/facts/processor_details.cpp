#include "facts/processor_details.h"

#include "facts/line_end.h"

namespace {

struct DetailLine {
    const char* label;
    const char* property;
    const char* unit;
    const char* end;
};

const DetailLine kDetailLines[] = {
    {"Procesor: ", "Name", "", kLineEnd},
    {"Popis: ", "Description", "", kLineEnd},
    {"ID procesoru: ", "ProcessorID", "", kLineEnd},
    {"Stav ", "Status", "", kLineEnd},
    {"Výrobce: ", "Manufacturer", "", kLineEnd},
    {"Využití: ", "LoadPercentage", "", kLineEnd},
    {"Rychlost: ", "CurrentClockSpeed", "   MHz", kLineEnd},
    {"Maximální rychlost: ", "MaxClockSpeed", "", kLineEnd},
    {"Velikost Level 2 Cache: ", "L2CacheSize", "", kLineEnd},
    {"Rychlost Level 2 Cache: ", "L2CacheSpeed", "", kLineEnd},
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
