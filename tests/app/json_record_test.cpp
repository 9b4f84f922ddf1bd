#include "app/json_record.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/version.h"
#include "platform/platform_fake.h"
#include "support/full_processor.h"
#include "support/office_inventory.h"
#include "support/schema_check.h"

namespace {

using Json = nlohmann::ordered_json;
using namespace std::string_literals;

struct JsonRecord : testing::Test {
    FakePlatform os;
    void SetUp() override { scriptOffice(os); }
    Json record() { return Json::parse(jsonRecord(os.platform())); }
};

TEST_F(JsonRecord, EveryFactOfTheMachineWithNumbersAsNumbers) {
    const Json r = record();
    EXPECT_EQ(1, r["schemaVersion"]);
    EXPECT_EQ(KAVRONA_VERSION_TEXT, r["programVersion"]);
    EXPECT_EQ("2026-12-06T05:08:05+01:00", r["timeStamp"]);
    EXPECT_EQ("PC-KANCELÁŘ", r["computer"]);
    EXPECT_EQ("jiří", r["user"]);
    EXPECT_EQ("\\\\DC1", r["logonServer"]);
    EXPECT_EQ(Json::parse(R"({"name": "Windows 7", "major": 6, "minor": 1, "build": 7601,
                              "servicePack": "Service Pack 1", "bits": 64,
                              "productName": "Windows 10 Pro", "edition": "Professional",
                              "currentBuild": 19045, "updateRevision": 3803,
                              "featureRelease": "22H2", "caption": "Microsoft Windows 10 Pro",
                              "installDate": "2024-01-02T03:04:05+01:00",
                              "lastBootTime": "2026-12-06T04:55:00-03:30", "language": 1029})"),
              r["windows"]);
    EXPECT_EQ("192.168.1.10", r["ipAddress"]);
    EXPECT_EQ(Json::parse(R"([{"name": "ifb0", "description": "ifb0", "mac": null,
                               "macError": "Adaptér nemá fyzickou adresu.",
                               "addresses": ["0.0.0.0"]},
                              {"name": "{4D36E972}", "description": "Intel PRO/1000",
                               "mac": "00:1A:2B:3C:4D:5E",
                               "addresses": ["192.168.1.10", "10.0.0.7"]}])"),
              r["adapters"]);
    EXPECT_EQ("06/01/26", r["biosDate"]);
    EXPECT_EQ(Json::parse(R"(["VBOX   - 1", "BIOS 2.0"])"), r["biosLines"]);
    EXPECT_EQ(Json::parse(R"({"totalBytes": 8589934592, "freeBytes": 3221225472})"), r["memory"]);
    const Json& drives = r["drives"];
    ASSERT_EQ(4u, drives.size());
    EXPECT_EQ(Json::parse(R"({"root": "C:\\", "type": "fixed", "typeText": "Pevný disk.",
                              "label": "SYSTEM", "serial": "12AB-00CD",
                              "totalBytes": 80023715840, "freeBytes": 1048576000})"),
              drives[0]);
    EXPECT_EQ("cdrom", drives[1]["type"]);
    EXPECT_EQ(nullptr, drives[1]["label"]);
    EXPECT_EQ(nullptr, drives[1]["totalBytes"]);
    EXPECT_EQ("remote", drives[2]["type"]);
    EXPECT_EQ("Síť", drives[2]["label"]);
    EXPECT_EQ("X:\\", drives[3]["root"]);
    EXPECT_EQ("", drives[3]["label"]);
    ASSERT_EQ(2u, r["processors"].size());
    EXPECT_EQ(Json::parse(R"({"Name": "Procesor 1", "Description": "x64 Family 6 Model 158",
                              "ProcessorID": "BFEBFBFF000906EA", "Status": "OK",
                              "Manufacturer": "GenuineIntel", "LoadPercentage": 7,
                              "CurrentClockSpeed": 2800, "MaxClockSpeed": 4294967295,
                              "L2CacheSize": 1024, "L2CacheSpeed": 0,
                              "PowerManagementSupported": false})"),
              r["processors"][1]);
}

TEST_F(JsonRecord, OneLineWithItsKeysInReadingOrder) {
    const std::string line = jsonRecord(os.platform());
    EXPECT_EQ(line.size() - 1, line.find('\n'));
    EXPECT_EQ(std::string::npos, line.find('\r'));
    std::vector<std::string> keys;
    const Json r = Json::parse(line);
    for (const auto& item : r.items()) keys.push_back(item.key());
    EXPECT_EQ((std::vector<std::string>{"schemaVersion", "programVersion", "timeStamp", "computer",
                                        "user", "logonServer", "windows", "ipAddress", "adapters",
                                        "biosDate", "biosLines", "memory", "drives", "processors",
                                        "machine", "disks", "updates", "programs"}),
              keys);
}

// Each source failing alone: its facts are null with the reason beside them, and
// nothing else changes.
TEST_F(JsonRecord, WhatCannotBeReadIsNullWithItsReason) {
    const UnreadCase cases[] = {
        {"no computer name",
         [](FakePlatform& p) { p.environment.variables.erase("COMPUTERNAME"); },
         {{"/computer"_json_pointer, "Proměnná prostředí COMPUTERNAME není nastavena."}}},
        {"no version",
         [](FakePlatform& p) { p.version.record.reset(); },
         {{"/windows/name"_json_pointer, kNoVersion},
          {"/windows/major"_json_pointer, kNoVersion},
          {"/windows/minor"_json_pointer, kNoVersion},
          {"/windows/build"_json_pointer, kNoVersion},
          {"/windows/servicePack"_json_pointer, kNoVersion}}},
        {"unknown architecture",
         [](FakePlatform& p) { p.system.nativeArchitecture = 0xFFFF; },
         {{"/windows/bits"_json_pointer, "Neznámá architektura systému: 65535"}}},
        {"no adapters list",
         [](FakePlatform& p) {
             p.network.answer = {AdapterStatus::Failed, {}, "Chyba 5"};
         },
         {{"/ipAddress"_json_pointer, "Síťové adaptéry se nepodařilo zjistit: Chyba 5"},
          {"/adapters"_json_pointer, "Síťové adaptéry se nepodařilo zjistit: Chyba 5"}}},
        {"no address",
         [](FakePlatform& p) { p.network.answer = adaptersWith(AdapterStatus::Ok, {"0.0.0.0"}); },
         {{"/ipAddress"_json_pointer, "Žádný síťový adaptér nemá adresu."}},
         "adapters"},
        {"no BIOS date",
         [](FakePlatform& p) {
             p.registry.key(kHKeyLocalMachine, kSystem).erase("SystemBiosDate");
         },
         {{"/biosDate"_json_pointer, "Neznámý typ hodnoty (1001)"}}},
        {"no BIOS key",
         [](FakePlatform& p) {
             p.registry.keys.erase(FakeRegistry::path(kHKeyLocalMachine, kSystem));
         },
         {{"/biosDate"_json_pointer, kNoBiosKey}, {"/biosLines"_json_pointer, kNoBiosKey}}},
        {"a network drive whose server is gone",
         [](FakePlatform& p) {
             FakeDrive& gone = p.volumes.add('N', 9);
             gone.type = kDriveRemote;
             gone.hangs = true;
         },
         {{"/drives/3/label"_json_pointer, kNoAnswer},
          {"/drives/3/serial"_json_pointer, kNoAnswer},
          {"/drives/3/totalBytes"_json_pointer, kNoAnswer},
          {"/drives/3/freeBytes"_json_pointer, kNoAnswer}},
         "drives"},
        {"no memory",
         [](FakePlatform& p) { p.memory.counts.reset(); },
         {{"/memory/totalBytes"_json_pointer,
           "Velikost paměti se nepodařilo zjistit (GlobalMemoryStatusEx)."},
          {"/memory/freeBytes"_json_pointer,
           "Velikost paměti se nepodařilo zjistit (GlobalMemoryStatusEx)."}}},
        {"no drive list",
         [](FakePlatform& p) { p.volumes.listFails = true; },
         {{"/drives"_json_pointer,
           "Seznam disků se nepodařilo zjistit (GetLogicalDriveStrings)."}}},
        {"no WMI", [](FakePlatform& p) { p.wmi.failing["connect"] = kWmiNotFound; },
         wmiUnread(kWmiNotFound)},
        {"listing stopped",
         [](FakePlatform& p) { p.wmi.failing["forEach end"] = "0x80041006"; },
         // The machine's classes are read no further than their first instance.
         {{"/processors"_json_pointer, "0x80041006"},
          {"/disks"_json_pointer, "0x80041006"},
          {"/updates"_json_pointer, "0x80041006"}}},
    };
    std::vector<std::string> records;
    for (const UnreadCase& c : cases) records.push_back(onlyThatUnread(c));
    EXPECT_EQ("", schemaFaults(records));
}

TEST_F(JsonRecord, APropertyTheProcessorLacksOrHasOfAnotherKindIsNullWithItsReason) {
    FakeWmiInstance& cpu = os.wmi.processors[0];
    cpu.properties.erase("Status");
    cpu.properties["LoadPercentage"] = WmiValue{};  // WMI has it, without a value
    cpu.properties["CurrentClockSpeed"] = WmiValue::ofText("2800 MHz");
    cpu.properties["PowerManagementSupported"] = WmiValue::ofInteger(1);
    const std::string line = jsonRecord(os.platform());
    const Json r = Json::parse(line)["processors"][0];
    EXPECT_EQ(nullptr, r["Status"]);
    EXPECT_EQ(kWmiNotFound, r["StatusError"]);
    EXPECT_EQ(nullptr, r["LoadPercentage"]);
    EXPECT_FALSE(r.contains("LoadPercentageError"));
    EXPECT_EQ(nullptr, r["CurrentClockSpeed"]);
    EXPECT_EQ("Nečekaný typ hodnoty: text", r["CurrentClockSpeedError"]);
    EXPECT_EQ("Nečekaný typ hodnoty: číslo", r["PowerManagementSupportedError"]);
    EXPECT_EQ("Procesor 0", r["Name"]);
    EXPECT_EQ("", schemaFaults({line}));
}

TEST_F(JsonRecord, OddValuesStayExactAndTheRecordOneValidLine) {
    os.volumes.add('E', 1, "\"Záloha\"\n\t\\ \x01 \xff konec").space =
        FakeSpace{0, UINT64_MAX, UINT64_MAX - 1};
    os.volumes.add('F', 2).type = 9;
    os.wmi.processors[0].properties["MaxClockSpeed"] = WmiValue::ofInteger(INT64_MIN);
    os.environment.variables["USERNAME"] = "\xc3";  // cut inside a letter
    os.clock.zoned = {2026, 1, 2, 3, 4, 5, -210};
    const std::string line = jsonRecord(os.platform());
    EXPECT_EQ(line.size() - 1, line.find('\n'));
    const Json r = Json::parse(line);
    const Json& e = r["drives"][2];
    EXPECT_EQ("\"Záloha\"\n\t\\ \x01 \uFFFD konec", e["label"]);
    EXPECT_EQ(UINT64_MAX, e["totalBytes"].get<uint64_t>());
    EXPECT_EQ(UINT64_MAX - 1, e["freeBytes"].get<uint64_t>());
    const Json& f = r["drives"][3];
    EXPECT_EQ(nullptr, f["type"]);
    EXPECT_EQ("Neznámý typ disku: 9", f["typeError"]);
    EXPECT_EQ("", f["typeText"]);
    EXPECT_EQ(INT64_MIN, r["processors"][0]["MaxClockSpeed"].get<int64_t>());
    EXPECT_EQ("\uFFFD", r["user"]);
    EXPECT_EQ("2026-01-02T03:04:05-03:30", r["timeStamp"]);
    EXPECT_EQ("", schemaFaults({line}));
}

TEST(IsoTimeStamp, WithTheOffsetOrUtcWithAnUnknownOne) {
    const struct {
        std::optional<int32_t> offset;
        const char* text;
    } cases[] = {
        {60, "2026-12-06T05:08:05+01:00"},
        {120, "2026-12-06T05:08:05+02:00"},
        {0, "2026-12-06T05:08:05+00:00"},
        {-210, "2026-12-06T05:08:05-03:30"},
        {345, "2026-12-06T05:08:05+05:45"},
        {-720, "2026-12-06T05:08:05-12:00"},
        {std::nullopt, "2026-12-06T05:08:05-00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, isoTimeStamp({2026, 12, 6, 5, 8, 5, c.offset})) << c.text;
}

// The schema itself is strict: a record it would let through here would mislead the
// tests that validate the program's records.
TEST_F(JsonRecord, TheSchemaRefusesWhatTheRecordNeverHolds) {
    const Json whole = record();
    const struct {
        const char* name;
        void (*spoil)(Json&);
    } cases[] = {
        {"null without a reason", [](Json& r) { r["computer"] = nullptr; }},
        {"a reason beside a value", [](Json& r) { r["computerError"] = "?"; }},
        {"a key of its own", [](Json& r) { r["windows"]["flavour"] = "Home"; }},
        {"a number as text", [](Json& r) { r["memory"]["totalBytes"] = "8 GB"; }},
        {"a drive without its serial", [](Json& r) { r["drives"][0].erase("serial"); }},
        {"a processor value beside its reason",
         [](Json& r) { r["processors"][0]["StatusError"] = kWmiNotFound; }},
        {"a machine's value beside its reason",
         [](Json& r) { r["machine"]["modelError"] = kWmiNotFound; }},
        {"a registry value null without its reason",
         [](Json& r) { r["windows"]["updateRevision"] = nullptr; }},
        {"a program from no known view", [](Json& r) { r["programs"][0]["view"] = "HKLM"; }},
        {"a boot time without its offset",
         [](Json& r) { r["windows"]["lastBootTime"] = "2026-12-06T04:55:00"; }},
        {"a local time without its offset",
         [](Json& r) { r["timeStamp"] = "2026-12-06T05:08:05"; }},
    };
    for (const auto& c : cases) {
        Json spoilt = whole;
        c.spoil(spoilt);
        EXPECT_NE("", schemaFaults({spoilt.dump() + "\n"})) << c.name;
    }
}

}  // namespace
