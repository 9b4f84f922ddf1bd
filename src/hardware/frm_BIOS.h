#pragma once
// The BIOS window: reads the BIOS date and version from the registry, and either
// shows the version ("Info o BIOS") or appends it to the complete report. It closes
// itself when it comes up.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "ui/window.h"

struct Kavrona;

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

struct frm_BIOS : Window {
    explicit frm_BIOS(Kavrona& program);

    Kavrona& program;

    TextBox Text1{*this, "Text1"};

    // Outlive an unload: the next load starts from them.
    std::string Datum;
    std::string Verze;  // multi-string entries separated by NUL characters

    RegistryResult GetRegistryValue(uint32_t hKey, const std::string& KeyName,
                                    const std::string& ValueName, RegistryValue DefaultValue = {});
    // Stops at the first value that cannot be read: a missing date leaves the
    // version unread.
    std::optional<RegistryError> GetBiosInfo(std::string& BiosDate, std::string& BiosVersion);

  private:
    void Form_Load() override;
    void Form_Activate() override;
};
