#pragma once
// The PC itself as WMI knows it from the firmware: maker, model, serial number, UUID,
// BIOS, and the domain or workgroup it belongs to.

#include "facts/record.h"
#include "facts/wmi_record.h"

// "machine": Win32_ComputerSystem's, Win32_ComputerSystemProduct's and Win32_BIOS's
// first instance, each class on its own.
Json machineRecord(WmiSession& session);
