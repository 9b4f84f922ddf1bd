#pragma once

#include "platform/network_adapters.h"

struct FakeNetworkAdapters : NetworkAdapters {
    AdapterList answer{AdapterStatus::NoAdapters, {}};
    int calls = 0;
    AdapterList adapters() override {
        ++calls;
        return answer;
    }
};
