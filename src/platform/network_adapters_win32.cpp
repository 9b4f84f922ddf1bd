#include <windows.h>

#include <iphlpapi.h>

#include <cstring>

#include "platform/network_adapters.h"

AdapterList Win32NetworkAdapters::adapters() {
    ULONG size = 0;
    GetAdaptersInfo(nullptr, &size);
    if (static_cast<LONG>(size) <= 0) return {AdapterStatus::NoAdapters, {}};
    // Records rather than bytes, so that the chain's pointers are aligned.
    std::vector<IP_ADAPTER_INFO> buffer(size / sizeof(IP_ADAPTER_INFO) + 1);
    size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
    if (GetAdaptersInfo(buffer.data(), &size) != NO_ERROR) return {AdapterStatus::Failed, {}};
    AdapterList list{AdapterStatus::Ok, {}};
    for (const IP_ADAPTER_INFO* a = buffer.data(); a; a = a->Next) {
        const char* text = a->IpAddressList.IpAddress.String;
        list.firstAddresses.emplace_back(text,
                                         strnlen(text, sizeof a->IpAddressList.IpAddress.String));
    }
    return list;
}
