#include "app/json_record.h"

#include <cstdio>
#include <cstdlib>

#include "app/version.h"
#include "facts/bios.h"
#include "facts/drives.h"
#include "facts/installed_programs.h"
#include "facts/installed_updates.h"
#include "facts/machine.h"
#include "facts/memory.h"
#include "facts/network_address.h"
#include "facts/physical_disks.h"
#include "facts/processor_details.h"
#include "facts/user_logon.h"
#include "facts/windows_detail.h"
#include "facts/windows_version.h"

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
    // One WMI connection for every fact WMI gives, under one patience.
    WmiSession wmi = os.wmi.connect();
    Json record = Json::object();
    record["schemaVersion"] = kJsonSchemaVersion;
    record["programVersion"] = KAVRONA_VERSION_TEXT;
    record["timeStamp"] = isoTimeStamp(os.clock.zonedNow());
    logonRecord(record, os.environment);
    record["windows"] = windowsRecord(os.version, os.system);
    windowsDetailRecord(record["windows"], os.registry, wmi);
    networkRecord(record, os.network);
    biosRecord(record, os.registry);
    record["memory"] = memoryRecord(os.memory);
    drivesRecord(record, os.volumes);
    processorsRecord(record, wmi);
    record["machine"] = machineRecord(wmi);
    disksRecord(record, wmi);
    updatesRecord(record, wmi);
    programsRecord(record, os.registry, os.system);
    // Texts are UTF-8 already; bytes that are not (no system call gives them) become
    // U+FFFD rather than cost the record.
    return record.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}
