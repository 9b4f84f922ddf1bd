#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/json_record.h"
#include "facts/wmi_record.h"
#include "support/office_inventory.h"
#include "support/schema_check.h"

namespace {

using Json = nlohmann::ordered_json;
using namespace std::string_literals;

const std::string kCurrentVersion =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

struct JsonInventory : testing::Test {
    FakePlatform os;
    void SetUp() override { scriptOffice(os); }
    Json record() { return Json::parse(jsonRecord(os.platform())); }
};

TEST_F(JsonInventory, EveryValueFromItsSourceAndOneWmiConnection) {
    const Json r = record();
    EXPECT_EQ(Json::parse(R"({"manufacturer": "Dřevo s.r.o.", "model": "Kancl 5",
        "systemFamily": null, "domain": "FIRMA.LOCAL", "partOfDomain": true,
        "serialNumber": "CZ1234XYZ", "uuid": "4C4C4544-0042-3010-8052-B4C04F564433",
        "biosSerialNumber": "CZ1234XYZ-B", "biosManufacturer": "Firmware a.s.",
        "biosVersion": "1.22.0", "biosReleaseDate": "2026-03-15T00:00:00+00:00"})"),
              r["machine"]);
    EXPECT_EQ(Json::parse(R"([{"model": "SSD 512", "serialNumber": "S4EV",
        "sizeBytes": 512105932800, "interfaceType": "SCSI"},
        {"model": "USB Disk", "serialNumber": null, "sizeBytes": 18446744073709551615,
         "interfaceType": "USB"}])"),
              r["disks"]);
    EXPECT_EQ(Json::parse(R"([{"id": "KB5034441", "installedOn": "1/9/2026"}])"), r["updates"]);
    // The system component, the child entry and the entry without a name are left out.
    EXPECT_EQ(Json::parse(R"([{"name": "Kancelář 2026", "version": "26.1",
        "publisher": "Dřevo s.r.o.", "installDate": "20260105", "view": "machine64",
        "key": "Kancelář"},
        {"name": "Čtečka 32", "version": null, "publisher": null, "installDate": null,
         "view": "machine32", "key": "{7A1B}"},
        {"name": "Poznámky", "version": "3", "publisher": null, "installDate": null,
         "view": "user", "key": "Poznámky"}])"),
              r["programs"]);
    EXPECT_EQ(1, os.wmi.times("connect"));
    EXPECT_EQ("", schemaFaults({r.dump() + "\n"}));
}

// Each source failing alone costs its own keys and no other.
TEST(JsonInventoryFaults, EachSourceAloneCostsOnlyItsKeys) {
    std::vector<UnreadCase> cases;
    for (const WmiSource& source : kWmiSources)
        cases.push_back({source.className,
                         [cls = std::string(source.className)](FakePlatform& p) {
                             p.wmi.failing["instancesOf " + cls] = "0x80041010";
                         },
                         wmiUnread("0x80041010", source.className)});
    const std::string noKey = "Klíč " + kCurrentVersion + " se nepodařilo otevřít (chyba 5).";
    const std::string userKey =
        "Klíč HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall (user)";
    const std::string view64 = "64|" + FakeRegistry::path(kHKeyLocalMachine, kUninstallKey);
    cases.insert(
        cases.end(),
        {
            {"Wine's Win32_ComputerSystem",
             [](FakePlatform& p) {
                 p.wmi.classes["Win32_ComputerSystem"][0].properties.erase("PartOfDomain");
             },
             {{"/machine/partOfDomain"_json_pointer, kWmiNotFound}}},
            {"no such class", [](FakePlatform& p) { p.wmi.classes["Win32_BIOS"].clear(); },
             wmiUnread("WMI nezná žádnou instanci třídy Win32_BIOS.", "Win32_BIOS")},
            {"an odd time and size",
             [](FakePlatform& p) {
                 p.wmi.classes["Win32_OperatingSystem"][0].properties["InstallDate"] =
                     WmiValue::ofText("2024");
                 p.wmi.classes["Win32_DiskDrive"][0].properties["Size"] = WmiValue::ofText("-1");
             },
             {{"/windows/installDate"_json_pointer, "Nečekaný tvar času: 2024"},
              {"/disks/0/sizeBytes"_json_pointer, "Nečekaný tvar čísla: -1"}},
             "disks"},
            {"no CurrentVersion key",
             [](FakePlatform& p) {
                 p.registry
                     .openFails["64|" + FakeRegistry::path(kHKeyLocalMachine, kCurrentVersionKey)] =
                     5;
             },
             {{"/windows/productName"_json_pointer, noKey},
              {"/windows/edition"_json_pointer, noKey},
              {"/windows/currentBuild"_json_pointer, noKey},
              {"/windows/updateRevision"_json_pointer, noKey},
              {"/windows/featureRelease"_json_pointer, noKey}}},
            {"no UBR, a build that is no number",
             [](FakePlatform& p) {
                 auto& key =
                     p.registry.key(kHKeyLocalMachine, kCurrentVersionKey, RegistryView::Bits64);
                 key.erase("UBR");
                 key["CurrentBuildNumber"] = {1, "19045a\0"s, {}};
             },
             {{"/windows/updateRevision"_json_pointer,
               "Hodnota UBR v klíči " + kCurrentVersion + " není."},
              {"/windows/currentBuild"_json_pointer,
               "Hodnota CurrentBuildNumber není číslo: 19045a"}}},
            {"the user's uninstall key refused",
             [userKey](FakePlatform& p) {
                 p.registry.openFails[FakeRegistry::path(kHKeyCurrentUser, kUninstallKey)] = 5;
             },
             {{"/programs"_json_pointer, userKey + " se nepodařilo přečíst (chyba 5)."}}},
            {"the machine's entries not listed",
             [view64](FakePlatform& p) { p.registry.listFails[view64] = 1018; },
             {{"/programs"_json_pointer, "Klíč HKEY_LOCAL_MACHINE\\" + std::string(kUninstallKey) +
                                             " (machine64) se nepodařilo přečíst (chyba 1018)."}}},
        });
    std::vector<std::string> records;
    for (const UnreadCase& c : cases) records.push_back(onlyThatUnread(c));
    EXPECT_EQ("", schemaFaults(records));
}

TEST_F(JsonInventory, OlderWindowsGivesItsReleaseIdAnd32BitWindowsOneMachineView) {
    os.registry.key(kHKeyLocalMachine, kCurrentVersionKey, RegistryView::Bits64)
        .erase("DisplayVersion");
    os.system.nativeArchitecture = 0;  // x86
    const Json r = record();
    EXPECT_EQ("2009", r["windows"]["featureRelease"]);
    EXPECT_FALSE(r["windows"].contains("featureReleaseError"));
    for (const Json& program : r["programs"]) EXPECT_NE("machine64", program["view"]);
    for (const std::string& opened : os.registry.opened)
        EXPECT_NE(0u, opened.rfind("64|" + FakeRegistry::path(kHKeyLocalMachine, kUninstallKey), 0))
            << opened;
}

TEST(IsoFromCim, WithItsOffsetOrNothing) {
    const struct {
        const char* cim;
        std::optional<std::string> iso;
    } cases[] = {
        {"20240102030405.000000+060", "2024-01-02T03:04:05+01:00"},
        {"20240102030405.123456-330", "2024-01-02T03:04:05-05:30"},
        {"20120608000000.000000+000", "2012-06-08T00:00:00+00:00"},
        {"20240102030405.000000+06", std::nullopt},
        {"2024010203040X.000000+060", std::nullopt},
        {"20240102030405.000000*060", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(c.iso, isoFromCim(c.cim)) << c.cim;
}

}  // namespace
