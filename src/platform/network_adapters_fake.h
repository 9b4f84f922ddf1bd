#pragma once

#include "platform/network_adapters.h"

struct FakeNetworkAdapters : NetworkAdapters {
    AdapterList answer{AdapterStatus::NoAdapters, {}, {}};
    int calls = 0;
    AdapterList adapters() override {
        ++calls;
        return answer;
    }
};

// One adapter per address, each with that address alone, as most machines list them.
inline AdapterList adaptersWith(AdapterStatus status, const std::vector<std::string>& addresses) {
    AdapterList list{status, {}, {}};
    for (const std::string& address : addresses) list.adapters.push_back({{address}, {}, {}, {}});
    return list;
}
