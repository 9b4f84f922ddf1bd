#pragma once
// Scripted WMI for tests: the instances of each class a test lists, failures a test
// names, and a record of every call.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/wmi.h"

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct FakeWmiInstance {
    std::string path;
    // A name that is not here is a property the instance lacks.
    std::map<std::string, WmiValue, NoCaseLess> properties;
};

struct FakeWmi : Wmi {
    std::vector<FakeWmiInstance> processors;                      // Win32_Processor's
    std::map<std::string, std::vector<FakeWmiInstance>> classes;  // every other class's
    // Calls that fail, by name ("connect", "instancesOf", "count", "forEach", "item";
    // "instancesOf Win32_BIOS" for one class alone),
    // with the description they fail with; "forEach end" fails the enumeration after
    // every instance was handed over.
    std::map<std::string, std::string> failing;
    // Calls made, in order: "connect", "instancesOf Win32_Processor", "count",
    // "forEach", "path", "property Name", "item <path>".
    std::vector<std::string> asked;

    WmiResult<std::unique_ptr<WmiServices>> connect() override;

    // The description of the scripted failure of `call`, after recording `what`.
    std::optional<std::string> ask(const std::string& call, const std::string& what);
    int times(const std::string& what) const;
};

// WBEM_E_NOT_FOUND as a system without WMI's message texts describes it.
inline constexpr const char* kWmiNotFound = "0x80041002";
