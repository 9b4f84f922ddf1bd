#pragma once
// The inventory of an office PC as WMI and the registry give it: one instance of each
// machine class, two disks, an update, and an uninstall entry of each kind.

#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/json_record.h"
#include "facts/installed_programs.h"
#include "facts/windows_detail.h"
#include "platform/platform_fake.h"
#include "support/full_processor.h"

inline FakeWmiInstance wmiInstance(std::map<std::string, WmiValue, NoCaseLess> properties) {
    return {"", std::move(properties)};
}

inline void uninstallEntry(FakePlatform& os, uint32_t root, RegistryView view,
                           const std::string& name, std::map<std::string, ScriptedValue> values) {
    os.registry.key(root, kUninstallKey, view);
    os.registry.key(root, std::string(kUninstallKey) + "\\" + name, view) = std::move(values);
}

inline void scriptInventory(FakePlatform& os) {
    using V = WmiValue;
    using namespace std::string_literals;
    auto& wmi = os.wmi.classes;
    wmi["Win32_ComputerSystem"] = {wmiInstance({{"Manufacturer", V::ofText("Dřevo s.r.o.")},
                                                {"Model", V::ofText("Kancl 5")},
                                                {"SystemFamily", V{}},
                                                {"Domain", V::ofText("FIRMA.LOCAL")},
                                                {"PartOfDomain", V::ofBoolean(true)}})};
    wmi["Win32_ComputerSystemProduct"] = {
        wmiInstance({{"IdentifyingNumber", V::ofText("CZ1234XYZ")},
                     {"UUID", V::ofText("4C4C4544-0042-3010-8052-B4C04F564433")}})};
    wmi["Win32_BIOS"] = {wmiInstance({{"SerialNumber", V::ofText("CZ1234XYZ-B")},
                                      {"Manufacturer", V::ofText("Firmware a.s.")},
                                      {"SMBIOSBIOSVersion", V::ofText("1.22.0")},
                                      {"ReleaseDate", V::ofText("20260315000000.000000+000")}})};
    wmi["Win32_OperatingSystem"] = {
        wmiInstance({{"Caption", V::ofText("Microsoft Windows 10 Pro")},
                     {"InstallDate", V::ofText("20240102030405.000000+060")},
                     {"LastBootUpTime", V::ofText("20261206045500.500000-210")},
                     {"OSLanguage", V::ofInteger(1029)}})};
    wmi["Win32_DiskDrive"] = {wmiInstance({{"Model", V::ofText("SSD 512")},
                                           {"SerialNumber", V::ofText("S4EV")},
                                           {"Size", V::ofText("512105932800")},
                                           {"InterfaceType", V::ofText("SCSI")}}),
                              wmiInstance({{"Model", V::ofText("USB Disk")},
                                           {"SerialNumber", V{}},
                                           {"Size", V::ofText("18446744073709551615")},
                                           {"InterfaceType", V::ofText("USB")}})};
    wmi["Win32_QuickFixEngineering"] = {wmiInstance(
        {{"HotFixID", V::ofText("KB5034441")}, {"InstalledOn", V::ofText("1/9/2026")}})};
    auto& current = os.registry.key(kHKeyLocalMachine, kCurrentVersionKey, RegistryView::Bits64);
    current["ProductName"] = {1, "Windows 10 Pro\0"s, {}};
    current["EditionID"] = {1, "Professional\0"s, {}};
    current["CurrentBuildNumber"] = {1, "19045\0"s, {}};
    current["UBR"] = {4, "\xdb\x0e\0\0"s, {}};
    current["DisplayVersion"] = {1, "22H2\0"s, {}};
    current["ReleaseId"] = {1, "2009\0"s, {}};
    const uint32_t lm = kHKeyLocalMachine, cu = kHKeyCurrentUser;
    const auto b64 = RegistryView::Bits64, b32 = RegistryView::Bits32, d = RegistryView::Default;
    uninstallEntry(os, lm, b64, "Kancelář",
                   {{"DisplayName", {1, "Kancelář 2026\0"s, {}}},
                    {"DisplayVersion", {1, "26.1\0"s, {}}},
                    {"Publisher", {1, "Dřevo s.r.o.\0"s, {}}},
                    {"InstallDate", {1, "20260105\0"s, {}}}});
    uninstallEntry(os, lm, b32, "{7A1B}", {{"DisplayName", {1, "Čtečka 32\0"s, {}}}});
    uninstallEntry(os, cu, d, "Poznámky",
                   {{"DisplayName", {2, "Poznámky\0"s, {}}}, {"DisplayVersion", {1, "3\0"s, {}}}});
    uninstallEntry(
        os, lm, b64, "Ovladač",
        {{"DisplayName", {1, "Ovladač\0"s, {}}}, {"SystemComponent", {4, "\x01\0\0\0"s, {}}}});
    uninstallEntry(os, lm, b64, "KB1",
                   {{"DisplayName", {1, "Oprava Kanceláře\0"s, {}}},
                    {"ParentKeyName", {1, "Kancelář\0"s, {}}}});
    uninstallEntry(os, lm, b32, "Bezejmenný", {{"DisplayVersion", {1, "1.0\0"s, {}}}});
}

using UnreadPointers = std::vector<std::pair<nlohmann::json::json_pointer, std::string>>;

// Each WMI class the record reads, and the keys it gives.
struct WmiSource {
    const char* className;
    std::vector<const char*> keys;
};
inline const WmiSource kWmiSources[] = {
    {"Win32_Processor", {"/processors"}},
    {"Win32_ComputerSystem",
     {"/machine/manufacturer", "/machine/model", "/machine/systemFamily", "/machine/domain",
      "/machine/partOfDomain"}},
    {"Win32_ComputerSystemProduct", {"/machine/serialNumber", "/machine/uuid"}},
    {"Win32_BIOS",
     {"/machine/biosSerialNumber", "/machine/biosManufacturer", "/machine/biosVersion",
      "/machine/biosReleaseDate"}},
    {"Win32_OperatingSystem",
     {"/windows/caption", "/windows/installDate", "/windows/lastBootTime", "/windows/language"}},
    {"Win32_DiskDrive", {"/disks"}},
    {"Win32_QuickFixEngineering", {"/updates"}},
};

// Every key of one class, or of all of them, null with `reason`.
inline UnreadPointers wmiUnread(const std::string& reason, const char* onlyClass = nullptr) {
    UnreadPointers unread;
    for (const WmiSource& source : kWmiSources)
        if (!onlyClass || std::string(onlyClass) == source.className)
            for (const char* key : source.keys)
                unread.emplace_back(nlohmann::json::json_pointer(key), reason);
    return unread;
}

struct UnreadCase {
    std::string name;
    std::function<void(FakePlatform&)> fail;
    UnreadPointers unread;
    const char* grown = nullptr;  // a key the failure adds to, seen by the above alone
};

inline const std::string kSystem = "Hardware\\Description\\System";
inline const std::string kNoVersion = "Verzi Windows se nepodařilo zjistit (GetVersionEx).";
inline const std::string kNoBiosKey =
    "Klíč HKEY_LOCAL_MACHINE\\Hardware\\Description\\System se nepodařilo otevřít.";
inline const std::string kNoAnswer = "Síťový disk neodpověděl do 5 s.";

inline FakeWmiInstance processor(int n) {
    return {"\\\\PC\\ROOT\\CIMV2:Win32_Processor.DeviceID=\"CPU" + std::to_string(n) + "\"",
            fullProcessor("Procesor " + std::to_string(n))};
}

// An office machine with one of every kind of fact: an adapter without an address before
// one with two, a two-line BIOS, a drive of each kind and two processors.
inline void scriptOffice(FakePlatform& os) {
    using namespace std::string_literals;
    os.environment.variables = {
        {"COMPUTERNAME", "PC-KANCELÁŘ"}, {"LOGONSERVER", "\\\\DC1"}, {"USERNAME", "jiří"}};
    VersionRecord v;
    v.platformId = 2;
    v.majorVersion = 6;
    v.minorVersion = 1;
    v.buildNumber = 7601;
    v.productType = 1;
    v.csdVersion = "Service Pack 1"s + std::string(114, '\0');
    os.version.record = v;
    os.network.answer = {
        AdapterStatus::Ok,
        {{{"0.0.0.0"}, "ifb0", "ifb0", ""},
         {{"192.168.1.10", "10.0.0.7"}, "{4D36E972}", "Intel PRO/1000", "00:1A:2B:3C:4D:5E"}},
        {}};
    auto& system = os.registry.key(kHKeyLocalMachine, kSystem);
    system["SystemBiosDate"] = {1, "06/01/26\0"s, {}};
    system["SystemBiosVersion"] = {7, "VBOX   - 1\0BIOS 2.0\0\0"s, {}};
    os.memory.counts = MemoryCounts{8589934592, 3221225472};
    os.volumes.add('C', 0x12AB00CD, "SYSTEM").space = FakeSpace{5, 80023715840, 1048576000};
    os.volumes.drives['D'] = FakeDrive{kDriveCdRom, std::nullopt, std::nullopt};
    os.volumes.add('K', 0x00004001, "Síť").type = kDriveRemote;
    os.volumes.add('X', 0x0000C003);
    os.wmi.processors = {processor(0), processor(1)};
    scriptInventory(os);
}

// The office with one source failing: its keys are null with the reason beside them,
// and nothing else changes. Gives the record's line.
inline std::string onlyThatUnread(const UnreadCase& c) {
    FakePlatform whole;
    scriptOffice(whole);
    nlohmann::ordered_json expected = nlohmann::ordered_json::parse(jsonRecord(whole.platform()));
    FakePlatform p;
    scriptOffice(p);
    c.fail(p);
    const std::string line = jsonRecord(p.platform());
    nlohmann::ordered_json r = nlohmann::ordered_json::parse(line);
    for (const auto& [at, reason] : c.unread) {
        EXPECT_EQ(nullptr, r[at]) << c.name << " " << at;
        nlohmann::ordered_json::json_pointer reasonAt = at.parent_pointer() / (at.back() + "Error");
        EXPECT_EQ(reason, r.value(reasonAt, "")) << c.name << " " << at;
        expected[at] = nullptr;
        expected[reasonAt] = reason;
    }
    if (c.grown) expected[c.grown] = r[c.grown];
    // Compared without regard to the keys' order.
    EXPECT_EQ(nlohmann::json::parse(expected.dump()), nlohmann::json::parse(r.dump())) << c.name;
    return line;
}
