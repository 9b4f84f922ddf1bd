#include "facts/network_address.h"

#include "facts/line_end.h"

std::string GetIPAddress(NetworkAdapters& network) {
    AdapterList list = network.adapters();
    if (list.status != AdapterStatus::Ok) return {};
    for (const std::string& address : list.firstAddresses) {
        // Windows lists adapters that are up but have no address yet with 0.0.0.0
        // (Wine its ifb devices): that is no address either.
        if (!address.empty() && address != "0.0.0.0") return address;
    }
    return {};
}

std::string ipAddressSection(const std::string& address) {
    const std::string K = kLineEnd;
    return K + "IP adresa: " + address + K + K;
}
