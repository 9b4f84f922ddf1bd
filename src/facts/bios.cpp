#include "facts/bios.h"

#include <algorithm>

#include "facts/line_end.h"
#include "platform/utf8.h"

namespace {

constexpr uint32_t kFirstBuffer = 1024;

enum RegType : uint32_t {
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7
};

RegistryResult failed(int32_t number, const char* description) {
    return {{}, RegistryError{number, description}};
}

RegistryResult unknownType() {
    return failed(kUnknownValueType, "Neznámý typ hodnoty");
}

// Text values may be stored without their terminators (Wine then hands back a list
// with one NUL at its end, not two): only NULs that are there are dropped, so that no
// character goes with them.
std::string withoutTerminators(std::string data, int most) {
    for (; most > 0 && !data.empty() && data.back() == '\0'; --most) data.pop_back();
    return data;
}

}  // namespace

RegistryResult GetRegistryValue(Registry& registry, uint32_t hKey, const std::string& KeyName,
                                const std::string& ValueName, RegistryValue DefaultValue) {
    std::unique_ptr<RegistryKey> key = registry.open(hKey, KeyName);
    if (!key) return {std::move(DefaultValue), std::nullopt};
    RegistryAnswer answer = key->query(ValueName, kFirstBuffer);
    if (answer.code == kErrorMoreData) answer = key->query(ValueName, answer.length);
    // A value that is missing, or that changed between the two queries, has no type to
    // go by; and the length never reaches past what arrived.
    if (answer.code != kErrorSuccess) return unknownType();
    std::string data = answer.data.substr(0, std::min<size_t>(answer.length, answer.data.size()));
    switch (answer.type) {
        case kRegSz:
        case kRegExpandSz:
            if (data.empty()) return failed(5, "Invalid procedure call or argument");
            return {withoutTerminators(data, 1), std::nullopt};
        case kRegBinary:
            if (data.empty()) return failed(9, "Subscript out of range");
            return {std::vector<uint8_t>(data.begin(), data.end()), std::nullopt};
        case kRegDword: {
            if (data.size() < 4) return unknownType();
            uint32_t bits = 0;
            for (int i = 3; i >= 0; --i) bits = bits << 8 | static_cast<uint8_t>(data[i]);
            return {static_cast<int32_t>(bits), std::nullopt};
        }
        case kRegMultiSz:
            // Characters, not bytes: one letter of the code page is a byte there.
            if (decodeUtf8(data).size() < 2) return failed(5, "Invalid procedure call or argument");
            return {withoutTerminators(data, 2), std::nullopt};
        default:
            return unknownType();
    }
}

std::optional<RegistryError> readBiosValue(Registry& registry, const char* name,
                                           std::string& text) {
    RegistryResult read =
        GetRegistryValue(registry, kHKeyLocalMachine, kBiosKey, name, std::string());
    if (read.error) return read.error;
    const RegistryValue& v = read.value;
    if (const auto* chars = std::get_if<std::string>(&v)) {
        text = *chars;
    } else if (const auto* number = std::get_if<int32_t>(&v)) {
        text = std::to_string(*number);
    } else if (const auto* bytes = std::get_if<std::vector<uint8_t>>(&v)) {
        text = registry.binaryAsText(std::string(bytes->begin(), bytes->end()));
    } else {
        text.clear();
    }
    return std::nullopt;
}

std::optional<RegistryError> GetBiosInfo(Registry& registry, std::string& BiosDate,
                                         std::string& BiosVersion) {
    if (auto failed = readBiosValue(registry, kBiosDate, BiosDate)) return failed;
    return readBiosValue(registry, kBiosVersion, BiosVersion);
}

std::string biosVersionLines(const std::string& BiosVersion) {
    std::string lines;
    for (char c : BiosVersion) lines += c == '\0' ? std::string(kLineEnd) : std::string(1, c);
    return lines;
}

std::string biosSection(const std::string& versionLines) {
    const std::string K = kLineEnd;
    return K + K + "BIOS: " + K + versionLines + K;
}

namespace {

// Each entry of the version (a multi-string's entries are NUL-separated) as a line.
Json biosLines(const std::string& version) {
    Json lines = Json::array();
    if (version.empty()) return lines;
    size_t start = 0;
    for (size_t nul = version.find('\0'); nul != std::string::npos;
         start = nul + 1, nul = version.find('\0', start))
        lines.push_back(version.substr(start, nul - start));
    lines.push_back(version.substr(start));
    return lines;
}

}  // namespace

// Each value on its own: the version is worth having without the date. A key that
// cannot be opened is no empty value here.
void biosRecord(Json& record, Registry& registry) {
    if (!registry.open(kHKeyLocalMachine, kBiosKey)) {
        const std::string reason =
            std::string("Klíč HKEY_LOCAL_MACHINE\\") + kBiosKey + " se nepodařilo otevřít.";
        unread(record, "biosDate", reason);
        unread(record, "biosLines", reason);
        return;
    }
    auto reasonOf = [](const RegistryError& e) {
        return e.description + " (" + std::to_string(e.number) + ")";
    };
    std::string date, version;
    if (auto failed = readBiosValue(registry, kBiosDate, date)) {
        unread(record, "biosDate", reasonOf(*failed));
    } else {
        record["biosDate"] = date;
    }
    if (auto failed = readBiosValue(registry, kBiosVersion, version)) {
        unread(record, "biosLines", reasonOf(*failed));
    } else {
        record["biosLines"] = biosLines(version);
    }
}
