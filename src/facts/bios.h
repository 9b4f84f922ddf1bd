#pragma once
// The BIOS date and version from the registry: the "Info o BIOS" box and the BIOS
// section of the complete report.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "facts/record.h"
#include "platform/registry.h"

// What a registry value can be read as: nothing, text, a number or bytes.
using RegistryValue = std::variant<std::monostate, std::string, int32_t, std::vector<uint8_t>>;

struct RegistryError {
    int32_t number = 0;
    std::string description;
};

inline constexpr int32_t kUnknownValueType = 1001;  // "Neznámý typ hodnoty"

// The value, or the error that stopped the read.
struct RegistryResult {
    RegistryValue value;
    std::optional<RegistryError> error;
};

RegistryResult GetRegistryValue(Registry& registry, uint32_t hKey, const std::string& KeyName,
                                const std::string& ValueName, RegistryValue DefaultValue = {});
inline constexpr const char* kBiosKey = "Hardware\\Description\\System";  // HKLM's
inline constexpr const char* kBiosDate = "SystemBiosDate";
inline constexpr const char* kBiosVersion = "SystemBiosVersion";

// One of the two values as text; what is not read keeps what it held. A key that cannot
// be opened reads as an empty value, as the window has it.
std::optional<RegistryError> readBiosValue(Registry& registry, const char* name, std::string& text);
// Stops at the first value that cannot be read: a missing date leaves the version
// unread, and what is not read keeps what it held.
std::optional<RegistryError> GetBiosInfo(Registry& registry, std::string& BiosDate,
                                         std::string& BiosVersion);

// The version with each NUL between multi-string entries as a line end.
std::string biosVersionLines(const std::string& BiosVersion);
std::string biosSection(const std::string& versionLines);

// "biosDate" and "biosLines" into `record`.
void biosRecord(Json& record, Registry& registry);
