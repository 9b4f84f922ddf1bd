#include <windows.h>

#include <iphlpapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/code_page_win32.h"
#include "platform/late_bound_win32.h"
#include "platform/network_adapters.h"
#include "platform/system_reason_win32.h"

namespace {

// Room for this many adapters at the first call. Under Wine each call costs 1.5 to
// 10 ms, so the usual machine is answered by one call instead of a sizing call and
// a second one.
constexpr size_t kUsualAdapters = 16;
// Adapters may come between a call that asks for more room and the next.
constexpr int kAttempts = 3;

// A fixed-size text field of the record, which its text may fill without a NUL.
template <size_t N>
std::string fieldText(const char (&field)[N]) {
    return fromAnsi(std::string_view(field, strnlen(field, N)));
}

}  // namespace

AdapterList Win32NetworkAdapters::adapters() {
    static const auto getAdaptersInfo =
        lateBound<decltype(GetAdaptersInfo)>(L"iphlpapi.dll", "GetAdaptersInfo");
    if (!getAdaptersInfo) return {AdapterStatus::Failed, {}, systemReason(ERROR_PROC_NOT_FOUND)};
    // Records rather than bytes, so that the chain's pointers are aligned.
    std::vector<IP_ADAPTER_INFO> buffer(kUsualAdapters);
    auto size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
    DWORD answer = getAdaptersInfo(buffer.data(), &size);
    for (int attempt = 1; answer == ERROR_BUFFER_OVERFLOW && attempt < kAttempts; ++attempt) {
        buffer.resize(size / sizeof(IP_ADAPTER_INFO) + 1);
        size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
        answer = getAdaptersInfo(buffer.data(), &size);
    }
    if (answer == ERROR_NO_DATA) return {AdapterStatus::NoAdapters, {}, {}};
    if (answer != NO_ERROR) return {AdapterStatus::Failed, {}, systemReason(answer)};
    AdapterList list{AdapterStatus::Ok, {}, {}};
    for (const IP_ADAPTER_INFO* a = buffer.data(); a; a = a->Next) {
        Adapter& adapter = list.adapters.emplace_back();
        for (const IP_ADDR_STRING* address = &a->IpAddressList; address; address = address->Next)
            adapter.addresses.push_back(fieldText(address->IpAddress.String));
        adapter.name = fieldText(a->AdapterName);
        adapter.description = fieldText(a->Description);
        const UINT length = std::min<UINT>(a->AddressLength, MAX_ADAPTER_ADDRESS_LENGTH);
        for (UINT i = 0; i < length; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, i ? ":%02X" : "%02X", unsigned{a->Address[i]});
            adapter.mac += hex;
        }
    }
    return list;
}
