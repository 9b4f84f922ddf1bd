#pragma once
// The network adapters, in the order the system lists them.

#include <string>
#include <vector>

enum class AdapterStatus { Ok, NoAdapters, Failed };

struct AdapterList {
    AdapterStatus status = AdapterStatus::Failed;
    // Each adapter's first address as dotted-decimal text, empty when it has none.
    std::vector<std::string> firstAddresses;
};

struct NetworkAdapters {
    virtual ~NetworkAdapters() = default;
    virtual AdapterList adapters() = 0;
};

struct Win32NetworkAdapters : NetworkAdapters {
    AdapterList adapters() override;
};
