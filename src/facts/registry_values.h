#pragma once
// Registry values read whole, for the record: each its value, or null with the reason.

#include <cstdint>
#include <span>
#include <string>

#include "facts/record.h"
#include "platform/registry.h"

// A value's type and data as the key holds them now, or the system's code.
struct RegistryRead {
    int32_t code = kErrorFileNotFound;
    uint32_t type = 0;
    std::string data;  // text values in UTF-8, without their last NUL
};
RegistryRead readWhole(RegistryKey& key, const std::string& name);

inline constexpr uint32_t kRegSz = 1, kRegExpandSz = 2, kRegDword = 4;

struct RegistryField {
    enum class Form {
        Text,
        Dword,
        Number,  // decimal digits in a text value, given as a number
    };
    const char* key;
    const char* value;
    Form form;
    bool absentIsNull = false;  // a value the key does not have is null alone
};

// The field from `key`'s value, or null with the reason it has none; `where` names the
// key in the reason.
void registryValue(Json& object, const RegistryField& field, RegistryKey& key,
                   const std::string& where);

// "HKEY_LOCAL_MACHINE\\..." for reasons.
std::string rootName(uint32_t root);
