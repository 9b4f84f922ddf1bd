#include "facts/physical_disks.h"

namespace {

using Form = WmiField::Form;

const WmiField kDisk[] = {
    {"model", "Model", Form::Text},
    {"serialNumber", "SerialNumber", Form::Text},
    {"sizeBytes", "Size", Form::Count},
    {"interfaceType", "InterfaceType", Form::Text},
};

}  // namespace

void disksRecord(Json& record, WmiSession& session) {
    wmiList(record, "disks", session, "Win32_DiskDrive", kDisk);
}
