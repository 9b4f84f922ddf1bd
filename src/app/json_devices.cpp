#include "app/json_devices.h"

#include "facts/drives.h"
#include "facts/processor_details.h"

namespace {

// Windows' codes in words that stay the same in every language.
const char* typeName(uint32_t type) {
    switch (type) {
        case kDriveUnknown:
            return "unknown";
        case kDriveNoRootDir:
            return "noRootDir";
        case kDriveRemovable:
            return "removable";
        case kDriveFixed:
            return "fixed";
        case kDriveRemote:
            return "remote";
        case kDriveCdRom:
            return "cdrom";
        case kDriveRamDisk:
            return "ramdisk";
        default:
            return nullptr;
    }
}

Json drive(const DriveRecord& d) {
    Json found = Json::object();
    found["root"] = d.root;
    if (const char* name = typeName(d.type)) {
        found["type"] = name;
    } else {
        unread(found, "type", "Neznámý typ disku: " + std::to_string(d.type));
    }
    found["typeText"] = d.typeText;
    if (!d.answered) {
        const auto seconds = std::chrono::ceil<std::chrono::seconds>(kNetworkDrivePatience);
        for (const char* key : {"label", "serial", "totalBytes", "freeBytes"})
            unread(found, key,
                   "Síťový disk neodpověděl do " + std::to_string(seconds.count()) + " s.");
        return found;
    }
    if (d.volumeRead) {
        found["label"] = d.label;
        found["serial"] = d.serial;
    } else {
        for (const char* key : {"label", "serial"})
            unread(found, key,
                   "Svazek se nepodařilo přečíst (GetVolumeInformation), "
                   "v jednotce možná není médium.");
    }
    if (d.spaceRead) {
        found["totalBytes"] = d.space.TotalNumberOfBytes;
        found["freeBytes"] = d.space.TotalNumberOfFreeBytes;
    } else {
        for (const char* key : {"totalBytes", "freeBytes"})
            unread(found, key, "Velikost svazku se nepodařilo zjistit (GetDiskFreeSpaceEx).");
    }
    return found;
}

const char* kindName(WmiValue::Kind kind) {
    switch (kind) {
        case WmiValue::Kind::Text:
            return "text";
        case WmiValue::Kind::Integer:
            return "číslo";
        case WmiValue::Kind::Boolean:
            return "logická hodnota";
        case WmiValue::Kind::Null:
            break;
    }
    return "null";
}

Json valueOf(const WmiValue& value) {
    switch (value.kind) {
        case WmiValue::Kind::Text:
            return value.text;
        case WmiValue::Kind::Integer:
            return value.integer;
        case WmiValue::Kind::Boolean:
            return value.boolean;
        case WmiValue::Kind::Null:
            break;
    }
    return nullptr;
}

// A property WMI has without a value is null with no reason: nothing failed.
Json processor(const std::vector<ProcessorProperty>& properties,
               std::vector<WmiResult<WmiValue>>& values) {
    Json cpu = Json::object();
    for (size_t i = 0; i < properties.size(); ++i) {
        const char* name = properties[i].name;
        WmiResult<WmiValue>& read = values[i];
        if (!read.ok()) {
            unread(cpu, name, read.failure());
        } else if (const WmiValue& value = read.value();
                   value.kind != WmiValue::Kind::Null && value.kind != properties[i].kind) {
            unread(cpu, name, std::string("Nečekaný typ hodnoty: ") + kindName(value.kind));
        } else {
            cpu[name] = valueOf(value);
        }
    }
    return cpu;
}

}  // namespace

void drives(Json& record, Volumes& volumes) {
    std::optional<std::vector<DriveRecord>> found = gatherEveryDrive(volumes);
    if (!found) {
        unread(record, "drives", "Seznam disků se nepodařilo zjistit (GetLogicalDriveStrings).");
        return;
    }
    Json list = Json::array();
    for (const DriveRecord& d : *found) list.push_back(drive(d));
    record["drives"] = list;
}

void processors(Json& record, Wmi& wmi) {
    ProcessorsFound found = gatherProcessors(wmi);
    if (found.failure) {
        unread(record, "processors", *found.failure);
        return;
    }
    const std::vector<ProcessorProperty> properties = processorProperties();
    Json list = Json::array();
    for (std::vector<WmiResult<WmiValue>>& values : found.processors)
        list.push_back(processor(properties, values));
    record["processors"] = list;
}
