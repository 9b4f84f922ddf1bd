#include <windows.h>

#include <iphlpapi.h>

#include <cstring>

#include "platform/code_page_win32.h"
#include "platform/late_bound_win32.h"
#include "platform/network_adapters.h"

namespace {

// Room for this many adapters at the first call. Under Wine each call costs 1.5 to
// 10 ms, so the usual machine is answered by one call instead of a sizing call and
// a second one.
constexpr size_t kUsualAdapters = 16;
// Adapters may come between a call that asks for more room and the next.
constexpr int kAttempts = 3;

}  // namespace

AdapterList Win32NetworkAdapters::adapters() {
    static const auto getAdaptersInfo =
        lateBound<decltype(GetAdaptersInfo)>(L"iphlpapi.dll", "GetAdaptersInfo");
    if (!getAdaptersInfo) return {AdapterStatus::Failed, {}};
    // Records rather than bytes, so that the chain's pointers are aligned.
    std::vector<IP_ADAPTER_INFO> buffer(kUsualAdapters);
    auto size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
    DWORD answer = getAdaptersInfo(buffer.data(), &size);
    for (int attempt = 1; answer == ERROR_BUFFER_OVERFLOW && attempt < kAttempts; ++attempt) {
        buffer.resize(size / sizeof(IP_ADAPTER_INFO) + 1);
        size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
        answer = getAdaptersInfo(buffer.data(), &size);
    }
    if (answer == ERROR_NO_DATA) return {AdapterStatus::NoAdapters, {}};
    if (answer != NO_ERROR) return {AdapterStatus::Failed, {}};
    AdapterList list{AdapterStatus::Ok, {}};
    for (const IP_ADAPTER_INFO* a = buffer.data(); a; a = a->Next) {
        const char* text = a->IpAddressList.IpAddress.String;
        list.firstAddresses.push_back(fromAnsi(
            std::string_view(text, strnlen(text, sizeof a->IpAddressList.IpAddress.String))));
    }
    return list;
}
