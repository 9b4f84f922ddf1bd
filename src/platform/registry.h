#pragma once
// Reading the registry as RegOpenKeyExA and RegQueryValueExA answer: the caller offers
// a buffer size and gets the system's code, type and length back, so that it can ask
// again with the length the system needs. Names and text values are UTF-8.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Root keys in Windows' 32-bit numbering.
inline constexpr uint32_t kHKeyLocalMachine = 0x80000002;

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
};

struct Registry {
    virtual ~Registry() = default;
    // Opened for reading; nothing when the key cannot be opened.
    virtual std::unique_ptr<RegistryKey> open(uint32_t root, const std::string& subKey) = 0;
    // A binary value's bytes read as text of the system's code page, NULs kept.
    virtual std::string binaryAsText(std::string_view bytes) = 0;
};

struct Win32Registry : Registry {
    std::unique_ptr<RegistryKey> open(uint32_t root, const std::string& subKey) override;
    std::string binaryAsText(std::string_view bytes) override;
};
