#pragma once

#include <map>
#include <vector>

#include "platform/registry.h"

struct ScriptedValue {
    uint32_t type = 0;
    std::string data;
    // Answers in turn, one per query, in place of what `data` would give; the last
    // one stays. Their data is cut to the buffer offered, as the system's would be.
    std::vector<RegistryAnswer> answers;
};

// Values are scripted as they arrive: text values in UTF-8.
struct FakeRegistry : Registry {
    // "root\\subkey" (a view's key with "64|" or "32|" before it) -> value name ->
    // value; a key that is not here cannot be opened. A key's subkeys are the keys here
    // one name below it.
    std::map<std::string, std::map<std::string, ScriptedValue>> keys;
    // Keys that fail to open, or to list their subkeys, with the system's code.
    std::map<std::string, int32_t> openFails, listFails;
    std::vector<std::string> opened;                        // "root\\subkey", in order
    std::vector<std::pair<std::string, uint32_t>> queries;  // value name, buffer size
    int closed = 0;

    static std::string path(uint32_t root, const std::string& subKey) {
        return std::to_string(root) + "\\" + subKey;
    }
    static std::string path(uint32_t root, const std::string& subKey, RegistryView view) {
        const char* prefix[] = {"", "64|", "32|"};
        return prefix[static_cast<int>(view)] + path(root, subKey);
    }
    std::map<std::string, ScriptedValue>& key(uint32_t root, const std::string& subKey,
                                              RegistryView view = RegistryView::Default) {
        return keys[path(root, subKey, view)];
    }

    struct Key : RegistryKey {
        Key(FakeRegistry& registry, std::string at, std::map<std::string, ScriptedValue>& values)
            : registry(registry), at(std::move(at)), values(values) {}
        ~Key() override { ++registry.closed; }
        RegistryAnswer query(const std::string& name, uint32_t bufferSize) override {
            registry.queries.emplace_back(name, bufferSize);
            auto it = values.find(name);
            if (it == values.end()) return {kErrorFileNotFound, 0, 0, {}};
            ScriptedValue& v = it->second;
            if (!v.answers.empty()) {
                RegistryAnswer a = v.answers.front();
                if (v.answers.size() > 1) v.answers.erase(v.answers.begin());
                if (a.data.size() > bufferSize) a.data.resize(bufferSize);
                return a;
            }
            auto length = static_cast<uint32_t>(v.data.size());
            if (length > bufferSize) return {kErrorMoreData, v.type, length, {}};
            return {kErrorSuccess, v.type, length, v.data};
        }
        std::variant<std::vector<std::string>, int32_t> subKeys() override {
            if (auto it = registry.listFails.find(at); it != registry.listFails.end())
                return it->second;
            std::vector<std::string> names;
            const std::string parent = at + "\\";
            for (const auto& [keyPath, values] : registry.keys) {
                std::string rest = keyPath.substr(0, parent.size()) == parent
                                       ? keyPath.substr(parent.size())
                                       : std::string("\\");
                if (rest.find('\\') == std::string::npos) names.push_back(rest);
            }
            return names;
        }
        FakeRegistry& registry;
        std::string at;
        std::map<std::string, ScriptedValue>& values;
    };

    std::unique_ptr<RegistryKey> open(uint32_t root, const std::string& subKey) override {
        opened.push_back(path(root, subKey));
        auto it = keys.find(opened.back());
        if (it == keys.end()) return nullptr;
        return std::make_unique<Key>(*this, it->first, it->second);
    }
    RegistryOpened openIn(uint32_t root, const std::string& subKey, RegistryView view) override {
        opened.push_back(path(root, subKey, view));
        if (auto failing = openFails.find(opened.back()); failing != openFails.end())
            return {failing->second, nullptr};
        auto it = keys.find(opened.back());
        if (it == keys.end()) return {kErrorFileNotFound, nullptr};
        return {kErrorSuccess, std::make_unique<Key>(*this, it->first, it->second)};
    }
    std::string binaryAsText(std::string_view bytes) override { return std::string(bytes); }
};
