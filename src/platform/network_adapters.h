#pragma once
// The network adapters, in the order the system lists them.

#include <string>
#include <vector>

enum class AdapterStatus { Ok, NoAdapters, Failed };

struct Adapter {
    // Its IPv4 addresses as dotted-decimal text, in the system's order. The first is
    // always there: 0.0.0.0 (or empty) when the adapter has no address yet.
    std::vector<std::string> addresses;
    std::string name;         // the system's name for it, UTF-8
    std::string description;  // UTF-8
    // Its hardware address as WMI writes it ("00:1A:2B:3C:4D:5E"); empty when it has none.
    std::string mac;
};

struct AdapterList {
    AdapterStatus status = AdapterStatus::Failed;
    std::vector<Adapter> adapters;
    std::string failure;  // for Failed: the system's text for why, UTF-8
};

struct NetworkAdapters {
    virtual ~NetworkAdapters() = default;
    virtual AdapterList adapters() = 0;
};

struct Win32NetworkAdapters : NetworkAdapters {
    AdapterList adapters() override;
};
