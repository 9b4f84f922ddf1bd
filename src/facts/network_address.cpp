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

void networkRecord(Json& record, NetworkAdapters& network) {
    const AdapterList list = network.adapters();
    if (list.status == AdapterStatus::Failed) {
        const std::string reason = "Síťové adaptéry se nepodařilo zjistit: " + list.failure;
        unread(record, "ipAddress", reason);
        unread(record, "adapters", reason);
        return;
    }
    if (std::string address = ipAddressOf(list); !address.empty()) {
        record["ipAddress"] = address;
    } else {
        unread(record, "ipAddress", "Žádný síťový adaptér nemá adresu.");
    }
    Json adapters = Json::array();
    for (const Adapter& a : list.adapters) {
        Json adapter = {{"name", a.name}, {"description", a.description}};
        if (a.mac.empty()) {
            unread(adapter, "mac", "Adaptér nemá fyzickou adresu.");
        } else {
            adapter["mac"] = a.mac;
        }
        adapter["addresses"] = a.addresses;
        adapters.push_back(adapter);
    }
    record["adapters"] = adapters;
}
