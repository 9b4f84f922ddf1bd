#pragma once
// Scripted services for tests: each answers what the test set and records what was asked.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/clock_fake.h"
#include "platform/directories_fake.h"
#include "platform/files_fake.h"
#include "platform/network_adapters_fake.h"
#include "platform/physical_memory_fake.h"
#include "platform/platform.h"
#include "platform/printer_fake.h"
#include "platform/regional_settings_fake.h"
#include "platform/registry_fake.h"
#include "platform/system_info_fake.h"
#include "platform/volumes_fake.h"
#include "platform/wmi_fake.h"

struct FakeVersionInfo : VersionInfo {
    std::optional<VersionRecord> record;  // nothing: the call fails and leaves the record alone
    bool getVersionEx(VersionRecord& r) override {
        if (record) r = *record;
        return record.has_value();
    }
};

struct FakeUserName : UserName {
    std::optional<std::string> name;
    std::vector<uint32_t> capacities;  // asked for, in order
    std::optional<std::string> getUserName(uint32_t capacity) override {
        capacities.push_back(capacity);
        if (!name || name->size() + 1 > capacity) return std::nullopt;
        return name;
    }
};

struct FakeEnvironment : Environment {
    std::map<std::string, std::string> variables;
    std::string get(const std::string& name) override {
        auto it = variables.find(name);
        return it == variables.end() ? std::string() : it->second;
    }
};

struct ShownMessage {
    std::string text;
    int style = 0;
    std::string title;
};

struct FakeDialogs : Dialogs {
    std::vector<ShownMessage> shown;
    std::deque<int> answers;                             // the next boxes' buttons; OK when empty
    std::function<void(const ShownMessage&)> whileOpen;  // runs while the box stands
    int messageBox(const std::string& text, int style, const std::string& title) override {
        shown.push_back({text, style, title});
        if (whileOpen) whileOpen(shown.back());
        if (answers.empty()) return kAnswerOk;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : shown) out.push_back(m.text);
        return out;
    }
};

struct FakeShell : Shell {
    std::vector<std::string> opened;
    int32_t answer = 42;
    int32_t open(const std::string& link) override {
        opened.push_back(link);
        return answer;
    }
};

struct FakeProgramFolder : ProgramFolder {
    std::string folder = "C:\\Program Files\\Kavrona";
    std::string path() override { return folder; }
};

struct FakePlatform {
    FakeVersionInfo version;
    FakeUserName user;
    FakeEnvironment environment;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeProgramFolder folder;
    FakePrinter printer;
    FakeFiles files;
    FakeClock clock;
    FakeSystemInfo system;
    FakeDirectories directories;
    FakeWmi wmi;
    FakeNetworkAdapters network;
    FakeRegistry registry;
    FakePhysicalMemory memory;
    FakeVolumes volumes;
    FakeRegionalSettings regional;

    Platform platform() {
        return {version, user,     environment, dialogs, shell,       folder,
                printer, files,    clock,       system,  directories, wmi,
                network, registry, memory,      volumes, regional};
    }
};
