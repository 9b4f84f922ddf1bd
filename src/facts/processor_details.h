#pragma once
// The processor details that WMI gives, as the processor window and the report write them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "facts/wmi_record.h"
#include "platform/wmi.h"

// "1 procesor detekován na tomto stroji." and, for every other count, the plural.
std::string ProcesorTitle(int32_t count);

// A value as the window writes it: texts as they are, integers in decimal digits,
// booleans as "True" or "False", null as nothing.
std::string ValueText(const WmiValue& value);

// The eleven lines about one processor. A property the instance lacks drops its
// line; a null value leaves the label alone. No processor: no lines.
std::string ProcesorDetails(WmiObject* cpu);

// A property the window shows, and the kind of value WMI gives it.
struct ProcessorProperty {
    const char* name;
    WmiValue::Kind kind;
};

// The window's properties, in its order.
std::vector<ProcessorProperty> processorProperties();

// Every processor WMI lists, in its order, each with every property of the window,
// in processorProperties()'s order: its value, or why the instance has none.
struct ProcessorsFound {
    std::optional<std::string> failure;  // the listing failed: none are given, not a part
    std::vector<std::vector<WmiResult<WmiValue>>> processors;
};

ProcessorsFound gatherProcessors(Wmi& wmi);
ProcessorsFound gatherProcessors(WmiServices& wmi);

// "processors": every one WMI lists, each with the window's properties under WMI's names.
void processorsRecord(Json& record, WmiSession& session);
