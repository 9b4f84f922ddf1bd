#pragma once
// The updates of Windows that WMI lists as installed.

#include "facts/record.h"
#include "facts/wmi_record.h"

// "updates": every instance of Win32_QuickFixEngineering, in WMI's order.
void updatesRecord(Json& record, WmiSession& session);
