#include "app/json_record.h"

#include <cstdio>
#include <cstdlib>

#include "app/json_devices.h"
#include "app/version.h"
#include "facts/bios.h"
#include "facts/network_address.h"
#include "facts/user_logon.h"
#include "facts/windows_version.h"

namespace {

void logon(Json& record, Environment& environment) {
    const Logon found = gatherLogon(environment);
    const struct {
        const char* key;
        const char* variable;
        const std::string& value;
    } facts[] = {
        {"computer", "COMPUTERNAME", found.computerName},
        {"user", "USERNAME", found.userName},
        {"logonServer", "LOGONSERVER", found.logonServer},
    };
    // Windows has no empty variables: empty is not set.
    for (const auto& fact : facts) {
        if (fact.value.empty()) {
            unread(record, fact.key,
                   std::string("Proměnná prostředí ") + fact.variable + " není nastavena.");
        } else {
            record[fact.key] = fact.value;
        }
    }
}

Json windows(VersionInfo& version, SystemInfo& system) {
    Json found = Json::object();
    const WindowsVersion read = gatherWindowsVersion(version);
    if (read.read) {
        const VersionRecord& r = read.record;
        found["name"] = windowsName(r);
        found["major"] = r.majorVersion;
        found["minor"] = r.minorVersion;
        found["build"] = r.buildNumber;
        found["servicePack"] = read.servicePack;
    } else {
        for (const char* key : {"name", "major", "minor", "build", "servicePack"})
            unread(found, key, "Verzi Windows se nepodařilo zjistit (GetVersionEx).");
    }
    SystemInfoRecord native;
    system.getNativeSystemInfo(native);
    if (int bits = windowsBits(native.processorArchitecture)) {
        found["bits"] = bits;
    } else {
        unread(found, "bits",
               "Neznámá architektura systému: " + std::to_string(native.processorArchitecture));
    }
    return found;
}

void network(Json& record, NetworkAdapters& network) {
    const AdapterList list = network.adapters();
    if (list.status == AdapterStatus::Failed) {
        const std::string reason = "Síťové adaptéry se nepodařilo zjistit: " + list.failure;
        unread(record, "ipAddress", reason);
        unread(record, "adapters", reason);
        return;
    }
    if (std::string address = ipAddressOf(list); !address.empty()) {
        record["ipAddress"] = address;
    } else {
        unread(record, "ipAddress", "Žádný síťový adaptér nemá adresu.");
    }
    Json adapters = Json::array();
    for (const Adapter& a : list.adapters)
        adapters.push_back(
            {{"name", a.name}, {"description", a.description}, {"addresses", a.addresses}});
    record["adapters"] = adapters;
}

// Each entry of the version (a multi-string's entries are NUL-separated) as a line.
Json biosLines(const std::string& version) {
    Json lines = Json::array();
    if (version.empty()) return lines;
    size_t start = 0;
    for (size_t nul = version.find('\0'); nul != std::string::npos;
         start = nul + 1, nul = version.find('\0', start))
        lines.push_back(version.substr(start, nul - start));
    lines.push_back(version.substr(start));
    return lines;
}

// Each value on its own: the version is worth having without the date. A key that
// cannot be opened is no empty value here.
void bios(Json& record, Registry& registry) {
    if (!registry.open(kHKeyLocalMachine, kBiosKey)) {
        const std::string reason =
            std::string("Klíč HKEY_LOCAL_MACHINE\\") + kBiosKey + " se nepodařilo otevřít.";
        unread(record, "biosDate", reason);
        unread(record, "biosLines", reason);
        return;
    }
    auto reasonOf = [](const RegistryError& e) {
        return e.description + " (" + std::to_string(e.number) + ")";
    };
    std::string date, version;
    if (auto failed = readBiosValue(registry, kBiosDate, date)) {
        unread(record, "biosDate", reasonOf(*failed));
    } else {
        record["biosDate"] = date;
    }
    if (auto failed = readBiosValue(registry, kBiosVersion, version)) {
        unread(record, "biosLines", reasonOf(*failed));
    } else {
        record["biosLines"] = biosLines(version);
    }
}

Json memory(PhysicalMemory& memory) {
    Json found = Json::object();
    if (std::optional<MemoryCounts> counts = memory.status()) {
        found["totalBytes"] = counts->totalPhys;
        found["freeBytes"] = counts->availPhys;
    } else {
        for (const char* key : {"totalBytes", "freeBytes"})
            unread(found, key, "Velikost paměti se nepodařilo zjistit (GlobalMemoryStatusEx).");
    }
    return found;
}

}  // namespace

std::string isoTimeStamp(const ZonedStamp& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u", unsigned{t.year},
                  unsigned{t.month}, unsigned{t.day}, unsigned{t.hour}, unsigned{t.minute},
                  unsigned{t.second});
    std::string stamp = text;
    if (!t.utcOffsetMinutes) return stamp + "-00:00";
    const int32_t offset = *t.utcOffsetMinutes;
    std::snprintf(text, sizeof text, "%c%02d:%02d", offset < 0 ? '-' : '+', std::abs(offset) / 60,
                  std::abs(offset) % 60);
    return stamp + text;
}

std::string jsonRecord(const Platform& os) {
    Json record = Json::object();
    record["schemaVersion"] = kJsonSchemaVersion;
    record["programVersion"] = KAVRONA_VERSION_TEXT;
    record["timeStamp"] = isoTimeStamp(os.clock.zonedNow());
    logon(record, os.environment);
    record["windows"] = windows(os.version, os.system);
    network(record, os.network);
    bios(record, os.registry);
    record["memory"] = memory(os.memory);
    drives(record, os.volumes);
    processors(record, os.wmi);
    // Texts are UTF-8 already; bytes that are not (no system call gives them) become
    // U+FFFD rather than cost the record.
    return record.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}
