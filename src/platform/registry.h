#pragma once
// Reading the registry as RegOpenKeyExA and RegQueryValueExA answer: the caller offers
// a buffer size and gets the system's code, type and length back, so that it can ask
// again with the length the system needs. Names and text values are UTF-8.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Root keys in Windows' 32-bit numbering.
inline constexpr uint32_t kHKeyCurrentUser = 0x80000001;
inline constexpr uint32_t kHKeyLocalMachine = 0x80000002;

// Which of 64-bit Windows' two registries a key is opened in. 32-bit Windows has one,
// which every view opens.
enum class RegistryView { Default, Bits64, Bits32 };

inline constexpr int32_t kErrorSuccess = 0;
inline constexpr int32_t kErrorFileNotFound = 2;
inline constexpr int32_t kErrorMoreData = 234;

struct RegistryAnswer {
    int32_t code =
        kErrorFileNotFound;  // 0, kErrorMoreData with the needed length, or another error
    uint32_t type = 0;       // 0 when the system did not say
    uint32_t length = 0;     // bytes of the value as the system reported them; of `data` once read
    // What arrived in the buffer, never more than it holds: text values (REG_SZ,
    // REG_EXPAND_SZ, REG_MULTI_SZ) in UTF-8 with all their NULs, others as they are.
    std::string data;
};

// An open key; closed when it goes.
struct RegistryKey {
    virtual ~RegistryKey() = default;
    virtual RegistryAnswer query(const std::string& valueName, uint32_t bufferSize) = 0;
    // The names of its subkeys, in the system's order, or the system's code that
    // stopped the listing.
    virtual std::variant<std::vector<std::string>, int32_t> subKeys() = 0;
};

struct RegistryOpened {
    int32_t code = kErrorFileNotFound;  // kErrorSuccess exactly when `key` is there
    std::unique_ptr<RegistryKey> key;
};

struct Registry {
    virtual ~Registry() = default;
    // Opened for reading; nothing when the key cannot be opened.
    virtual std::unique_ptr<RegistryKey> open(uint32_t root, const std::string& subKey) = 0;
    // Opened for reading in one view, with the system's code when it cannot be; names
    // and text values in any letters (the system's wide calls).
    virtual RegistryOpened openIn(uint32_t root, const std::string& subKey, RegistryView view) = 0;
    // A binary value's bytes read as text of the system's code page, NULs kept.
    virtual std::string binaryAsText(std::string_view bytes) = 0;
};

struct Win32Registry : Registry {
    std::unique_ptr<RegistryKey> open(uint32_t root, const std::string& subKey) override;
    RegistryOpened openIn(uint32_t root, const std::string& subKey, RegistryView view) override;
    std::string binaryAsText(std::string_view bytes) override;
};
