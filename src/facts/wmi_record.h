#pragma once
// WMI's instances as the JSON record gives them: one session for the whole record, and a
// table of keys and the properties they come from for each class.

#include <memory>
#include <optional>
#include <span>
#include <string>

#include "facts/record.h"
#include "platform/wmi.h"

// The one connection a record asks all its WMI facts through, or why there is none.
using WmiSession = WmiResult<std::unique_ptr<WmiServices>>;

struct WmiField {
    enum class Form {
        Text,
        Integer,
        Boolean,
        Time,   // CIM's datetime text, given in ISO 8601 with its offset
        Count,  // a 64-bit unsigned integer, which WMI hands over as decimal text
    };
    const char* key;
    const char* property;
    Form form;
};

// One field from what WMI gave for its property: the value, or null with the reason it
// has none; a property WMI has without a value is null alone, since nothing failed.
void wmiValue(Json& object, const WmiField& field, const WmiResult<WmiValue>& read);

// One instance's fields: each its value, or null with the reason it has none; a
// property WMI has without a value is null alone, since nothing failed.
Json wmiFields(WmiObject& instance, std::span<const WmiField> fields);

// Every instance of `className` in WMI's order, or null with its reason under `key`.
void wmiList(Json& record, const std::string& key, WmiSession& session,
             const std::string& className, std::span<const WmiField> fields);

// The fields of the first instance of `className` into `object`; each of them null with
// the reason when the class cannot be listed or has no instance.
void wmiFirst(Json& object, WmiSession& session, const std::string& className,
              std::span<const WmiField> fields);

// "20260106093015.500000+060" as "2026-01-06T09:30:15+01:00"; nothing for another form.
std::optional<std::string> isoFromCim(const std::string& cim);
