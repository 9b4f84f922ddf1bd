#include "facts/machine.h"

namespace {

using Form = WmiField::Form;

const WmiField kSystem[] = {
    {"manufacturer", "Manufacturer", Form::Text},
    {"model", "Model", Form::Text},
    {"systemFamily", "SystemFamily", Form::Text},
    {"domain", "Domain", Form::Text},  // the workgroup's name when not in a domain
    {"partOfDomain", "PartOfDomain", Form::Boolean},
};
// The number on the warranty and the asset label.
const WmiField kProduct[] = {
    {"serialNumber", "IdentifyingNumber", Form::Text},
    {"uuid", "UUID", Form::Text},
};
// Some boards give the firmware a serial number of its own.
const WmiField kBios[] = {
    {"biosSerialNumber", "SerialNumber", Form::Text},
    {"biosManufacturer", "Manufacturer", Form::Text},
    {"biosVersion", "SMBIOSBIOSVersion", Form::Text},
    {"biosReleaseDate", "ReleaseDate", Form::Time},
};

}  // namespace

Json machineRecord(WmiSession& session) {
    Json machine = Json::object();
    wmiFirst(machine, session, "Win32_ComputerSystem", kSystem);
    wmiFirst(machine, session, "Win32_ComputerSystemProduct", kProduct);
    wmiFirst(machine, session, "Win32_BIOS", kBios);
    return machine;
}
