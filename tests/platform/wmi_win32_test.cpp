#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <thread>
#include <vector>

#include "facts/processor_details.h"
#include "platform/utf16_win32.h"
#include "platform/wmi.h"
#include "platform/wmic_win32.h"

namespace {

bool underWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    return text;
}

// COM as the program starts it, once for the tests of this file.
struct RealWmi : testing::Test {
    static void SetUpTestSuite() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                             RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    }
    static void TearDownTestSuite() { CoUninitialize(); }

    void SetUp() override {
        auto connected = wmi.connect();
        ASSERT_TRUE(connected.ok()) << connected.failure();
        services = std::move(connected.value());
        auto instances = services->instancesOf("Win32_Processor");
        ASSERT_TRUE(instances.ok()) << instances.failure();
        cpus = std::move(instances.value());
    }

    // Path and name of each processor, in enumeration order.
    std::vector<std::pair<std::string, std::string>> listed() {
        std::vector<std::pair<std::string, std::string>> out;
        auto done = cpus->forEach([&](WmiObject& cpu) {
            auto path = cpu.path();
            auto name = cpu.property("Name");
            EXPECT_TRUE(path.ok() && name.ok());
            if (path.ok() && name.ok()) out.emplace_back(path.value(), name.value().text);
            return true;
        });
        EXPECT_TRUE(done.ok()) << done.failure();
        return out;
    }

    Win32Wmi wmi;
    std::unique_ptr<WmiServices> services;
    std::unique_ptr<WmiObjectSet> cpus;
};

}  // namespace

TEST_F(RealWmi, CountMatchesTheEnumeration) {
    auto count = cpus->count();
    ASSERT_TRUE(count.ok()) << count.failure();
    EXPECT_GE(count.value(), 1);
    EXPECT_EQ(static_cast<size_t>(count.value()), listed().size());
    EXPECT_EQ(static_cast<size_t>(count.value()), listed().size()) << "a second enumeration";
}

TEST_F(RealWmi, PathNamesTheComputerNamespaceAndDevice) {
    auto cpus = listed();
    ASSERT_FALSE(cpus.empty());
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = ARRAYSIZE(computer);
    ASSERT_TRUE(GetComputerNameW(computer, &size));
    // Wine writes `DeviceId`, Windows `DeviceID`; object paths ignore case.
    EXPECT_EQ(lower("\\\\" + narrow(computer) + "\\ROOT\\CIMV2:Win32_Processor.DeviceID=\"CPU0\""),
              lower(cpus[0].first))
        << cpus[0].first;
    for (size_t i = 1; i < cpus.size(); ++i) EXPECT_NE(cpus[0].first, cpus[i].first);
}

TEST_F(RealWmi, ItemFindsEachProcessorByItsPath) {
    for (const auto& [path, name] : listed()) {
        auto cpu = cpus->item(path);
        ASSERT_TRUE(cpu.ok()) << path << ": " << cpu.failure();
        EXPECT_EQ(path, cpu.value()->path().value());
        EXPECT_EQ(name, cpu.value()->property("Name").value().text);
    }
}

TEST_F(RealWmi, ItemOfAPathWithoutInstanceFails) {
    for (const char* path : {"\\\\.\\ROOT\\CIMV2:Win32_Processor.DeviceID=\"CPU999\"", ""}) {
        auto cpu = cpus->item(path);
        ASSERT_FALSE(cpu.ok()) << '"' << path << '"';
        EXPECT_FALSE(cpu.failure().empty());
    }
}

TEST_F(RealWmi, NameIsWhatWmicReads) {
    std::optional<std::vector<std::string>> wmic = wmicCpu(L"name");
    if (!wmic && !underWine()) GTEST_SKIP() << "this Windows has no wmic";
    ASSERT_TRUE(wmic) << "wmic did not run";
    std::vector<std::string> names;
    for (auto& [path, name] : listed()) {
        while (!name.empty() && name.back() == ' ') name.pop_back();
        names.push_back(name);
    }
    EXPECT_EQ(*wmic, names);
}

TEST_F(RealWmi, PropertiesComeAsTextAndIntegers) {
    auto cpu = cpus->item(listed().at(0).first);
    ASSERT_TRUE(cpu.ok());
    for (const char* name : {"Name", "Description", "ProcessorID", "Manufacturer"}) {
        auto value = cpu.value()->property(name);
        ASSERT_TRUE(value.ok()) << name << ": " << value.failure();
        EXPECT_EQ(WmiValue::Kind::Text, value.value().kind) << name;
    }
    for (const char* name : {"CurrentClockSpeed", "MaxClockSpeed"}) {
        auto value = cpu.value()->property(name);
        ASSERT_TRUE(value.ok()) << name << ": " << value.failure();
        EXPECT_EQ(WmiValue::Kind::Integer, value.value().kind) << name;
        EXPECT_GT(value.value().integer, 0) << name;
    }
    auto none = cpu.value()->property("NoSuchProperty");
    ASSERT_FALSE(none.ok());
    EXPECT_FALSE(none.failure().empty());
}

TEST_F(RealWmi, WhatWineLacksIsMissingNotNull) {
    if (!underWine()) GTEST_SKIP() << "Windows has these properties";
    auto cpu = cpus->item(listed().at(0).first);
    ASSERT_TRUE(cpu.ok());
    for (const char* name :
         {"Status", "LoadPercentage", "L2CacheSize", "L2CacheSpeed", "PowerManagementSupported"}) {
        auto value = cpu.value()->property(name);
        ASSERT_FALSE(value.ok()) << name;
        EXPECT_NE(std::string::npos, value.failure().find("0x80041002"))
            << name << ": " << value.failure();
    }
    std::string details = ProcesorDetails(cpu.value().get());
    std::string name = cpu.value()->property("Name").value().text;
    EXPECT_TRUE(details.starts_with("Procesor: " + name + "\r\nPopis: ")) << details;
    for (const char* label : {"Stav ", "Využití: ", "Level 2", "Podpora"})
        EXPECT_EQ(std::string::npos, details.find(label)) << details;
    EXPECT_TRUE(details.ends_with(
        "   MHz\r\nMaximální rychlost: " +
        std::to_string(cpu.value()->property("MaxClockSpeed").value().integer) + "\r\n"))
        << details;
}

// A thread that never initialised COM: the connection starts COM on a thread of its own.
TEST(WmiWithoutCom, ConnectsAndListsOnAThreadOfItsOwn) {
    std::optional<WmiResult<int32_t>> counted;
    std::thread([&] {
        auto connected = Win32Wmi().connect();
        ASSERT_TRUE(connected.ok()) << connected.failure();
        auto cpus = connected.value()->instancesOf("Win32_Processor");
        ASSERT_TRUE(cpus.ok()) << cpus.failure();
        counted.emplace(cpus.value()->count());
    }).join();
    ASSERT_TRUE(counted);
    ASSERT_TRUE(counted->ok()) << counted->failure();
    EXPECT_GE(counted->value(), 1);
}

// Runs by itself, in a process started with WMI's provider disabled (tests/CMakeLists.txt).
TEST(WithoutWmi, ConnectFailsWithADescription) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        auto connected = Win32Wmi().connect();
        ASSERT_FALSE(connected.ok());
        // The system's text for E_ACCESSDENIED, in the system's language.
        EXPECT_FALSE(connected.failure().empty());
        EXPECT_FALSE(connected.failure().starts_with("0x")) << connected.failure();
    }
    CoUninitialize();
}
