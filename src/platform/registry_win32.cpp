#include <windows.h>

#include <algorithm>

#include "platform/code_page_win32.h"
#include "platform/registry.h"
#include "platform/utf16_win32.h"

namespace {

bool isText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The whole value through the wide call, text values in UTF-8: a value that changes
// between the sizing call and the next is asked for again.
RegistryAnswer queryWide(HKEY key, const std::string& valueName) {
    const std::wstring name = widen(valueName);
    std::string buffer(256, '\0');
    DWORD type = 0;
    LONG code = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < 4 && code == ERROR_MORE_DATA; ++attempt) {
        auto length = static_cast<DWORD>(buffer.size());
        code = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(buffer.data()), &length);
        if (code == ERROR_MORE_DATA) buffer.resize(length + sizeof(wchar_t));
        if (code == ERROR_SUCCESS) buffer.resize(length);
    }
    RegistryAnswer answer{static_cast<int32_t>(code), static_cast<uint32_t>(type), 0, {}};
    if (code != ERROR_SUCCESS) return answer;
    if (isText(type)) {
        std::wstring wide(buffer.size() / sizeof(wchar_t), L'\0');
        std::copy_n(buffer.data(), wide.size() * sizeof(wchar_t),
                    reinterpret_cast<char*>(wide.data()));
        buffer = narrow(wide);
    }
    answer.length = static_cast<uint32_t>(buffer.size());
    answer.data = std::move(buffer);
    return answer;
}

struct Win32RegistryKey : RegistryKey {
    Win32RegistryKey(HKEY key, bool wide) : key(key), wide(wide) {}
    Win32RegistryKey(const Win32RegistryKey&) = delete;
    Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;
    ~Win32RegistryKey() override { RegCloseKey(key); }

    RegistryAnswer query(const std::string& valueName, uint32_t bufferSize) override {
        if (wide) {
            RegistryAnswer answer = queryWide(key, valueName);
            if (answer.code == ERROR_SUCCESS && answer.data.size() > bufferSize)
                return {kErrorMoreData, answer.type, answer.length, {}};
            return answer;
        }
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
            answer.data = isText(type) ? fromAnsi(buffer) : std::move(buffer);
            answer.length = static_cast<uint32_t>(answer.data.size());
        }
        return answer;
    }

    std::variant<std::vector<std::string>, int32_t> subKeys() override {
        std::vector<std::string> names;
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];  // a key's name has at most 255 characters
            DWORD length = 256;
            LONG code = RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (code == ERROR_NO_MORE_ITEMS) return names;
            if (code != ERROR_SUCCESS) return static_cast<int32_t>(code);
            names.push_back(narrow({name, length}));
        }
    }

    HKEY key;
    bool wide;
};

HKEY rootKey(uint32_t root) {
    // The predefined keys are sign-extended 32-bit values.
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
}

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::open(uint32_t root, const std::string& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootKey(root), toAnsi(subKey).bytes.c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32RegistryKey>(key, false);
}

RegistryOpened Win32Registry::openIn(uint32_t root, const std::string& subKey, RegistryView view) {
    // A 32-bit program on 64-bit Windows reaches the 64-bit registry by asking for it;
    // 32-bit Windows ignores both flags.
    REGSAM access = KEY_READ;
    if (view == RegistryView::Bits64) access |= KEY_WOW64_64KEY;
    if (view == RegistryView::Bits32) access |= KEY_WOW64_32KEY;
    HKEY key = nullptr;
    LONG code = RegOpenKeyExW(rootKey(root), widen(subKey).c_str(), 0, access, &key);
    if (code != ERROR_SUCCESS) return {static_cast<int32_t>(code), nullptr};
    return {kErrorSuccess, std::make_unique<Win32RegistryKey>(key, true)};
}

std::string Win32Registry::binaryAsText(std::string_view bytes) {
    return fromAnsi(bytes);
}
