#include <windows.h>

#include <algorithm>

#include "platform/code_page_win32.h"
#include "platform/registry.h"

namespace {

struct Win32RegistryKey : RegistryKey {
    explicit Win32RegistryKey(HKEY key) : key(key) {}
    Win32RegistryKey(const Win32RegistryKey&) = delete;
    Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;
    ~Win32RegistryKey() override { RegCloseKey(key); }

    RegistryAnswer query(const std::string& valueName, uint32_t bufferSize) override {
        std::string buffer(bufferSize, '\0');
        DWORD type = 0;
        DWORD length = bufferSize;
        LONG code = RegQueryValueExA(key, toAnsi(valueName).bytes.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer.data()), &length);
        RegistryAnswer answer{static_cast<int32_t>(code),
                              static_cast<uint32_t>(type),
                              static_cast<uint32_t>(length),
                              {}};
        if (code == ERROR_SUCCESS) {
            buffer.resize(std::min<size_t>(length, bufferSize));
            bool text = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
            answer.data = text ? fromAnsi(buffer) : std::move(buffer);
            answer.length = static_cast<uint32_t>(answer.data.size());
        }
        return answer;
    }

    HKEY key;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::open(uint32_t root, const std::string& subKey) {
    // The predefined keys are sign-extended 32-bit values.
    HKEY rootKey = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootKey, toAnsi(subKey).bytes.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32RegistryKey>(key);
}

std::string Win32Registry::binaryAsText(std::string_view bytes) {
    return fromAnsi(bytes);
}
