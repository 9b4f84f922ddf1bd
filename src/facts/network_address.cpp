#include "facts/network_address.h"

#include "facts/line_end.h"

std::string GetIPAddress(NetworkAdapters& network) {
    return ipAddressOf(network.adapters());
}

std::string ipAddressOf(const AdapterList& list) {
    if (list.status != AdapterStatus::Ok) return {};
    for (const Adapter& adapter : list.adapters) {
        // Windows lists adapters that are up but have no address yet with 0.0.0.0
        // (Wine its ifb devices): that is no address either.
        if (adapter.addresses.empty()) continue;
        const std::string& address = adapter.addresses.front();
        if (!address.empty() && address != "0.0.0.0") return address;
    }
    return {};
}

std::string ipAddressSection(const std::string& address) {
    const std::string K = kLineEnd;
    return K + "IP adresa: " + address + K + K;
}
