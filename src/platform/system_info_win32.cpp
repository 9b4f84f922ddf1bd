#include <windows.h>

#include "platform/system_info.h"

void Win32SystemInfo::getSystemInfo(SystemInfoRecord& record) {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    record.processorType = info.dwProcessorType;
}
