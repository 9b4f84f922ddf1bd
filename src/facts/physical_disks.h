#pragma once
// The physical disks behind the drives, as WMI lists them.

#include "facts/record.h"
#include "facts/wmi_record.h"

// "disks": every instance of Win32_DiskDrive, in WMI's order.
void disksRecord(Json& record, WmiSession& session);
