#include <windows.h>

#include "platform/system_info.h"

namespace {

SystemInfoRecord recordOf(const SYSTEM_INFO& info) {
    return {info.dwProcessorType, info.wProcessorArchitecture};
}

}  // namespace

void Win32SystemInfo::getSystemInfo(SystemInfoRecord& record) {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    record = recordOf(info);
}

void Win32SystemInfo::getNativeSystemInfo(SystemInfoRecord& record) {
    SYSTEM_INFO info{};
    GetNativeSystemInfo(&info);
    record = recordOf(info);
}
