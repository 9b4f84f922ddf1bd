#include "facts/registry_values.h"

#include <cstring>

namespace {

bool isText(uint32_t type) {
    return type == kRegSz || type == kRegExpandSz;
}

std::optional<uint64_t> digits(const std::string& text) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    uint64_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + static_cast<uint64_t>(c - '0');
    }
    return n;
}

}  // namespace

RegistryRead readWhole(RegistryKey& key, const std::string& name) {
    uint32_t size = 512;
    RegistryAnswer answer = key.query(name, size);
    // The value may grow between asking its length and reading it.
    for (int again = 0; answer.code == kErrorMoreData && again < 3; ++again)
        answer = key.query(name, size = answer.length + 2);
    RegistryRead read{answer.code, answer.type, std::move(answer.data)};
    if (isText(read.type))
        while (!read.data.empty() && read.data.back() == '\0') read.data.pop_back();
    return read;
}

std::string rootName(uint32_t root) {
    return root == kHKeyCurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

void registryValue(Json& object, const RegistryField& field, RegistryKey& key,
                   const std::string& where) {
    const RegistryRead read = readWhole(key, field.value);
    const std::string name = std::string("Hodnota ") + field.value;
    if (read.code == kErrorFileNotFound && field.absentIsNull) {
        object[field.key] = nullptr;
        return;
    }
    if (read.code == kErrorFileNotFound)
        return unread(object, field.key, name + " v klíči " + where + " není.");
    if (read.code != kErrorSuccess)
        return unread(object, field.key,
                      name + " se nedala přečíst (chyba " + std::to_string(read.code) + ").");
    const bool dword = field.form == RegistryField::Form::Dword;
    if (dword ? read.type != kRegDword || read.data.size() != 4 : !isText(read.type))
        return unread(object, field.key,
                      name + " má nečekaný typ (" + std::to_string(read.type) + ").");
    if (dword) {
        uint32_t n = 0;
        std::memcpy(&n, read.data.data(), 4);  // little-endian, as Windows keeps it
        object[field.key] = n;
    } else if (field.form == RegistryField::Form::Number) {
        if (auto n = digits(read.data)) {
            object[field.key] = *n;
        } else {
            unread(object, field.key, name + " není číslo: " + read.data);
        }
    } else {
        object[field.key] = read.data;
    }
}
