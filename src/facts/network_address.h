#pragma once
// The network address: the first adapter's address, for the complete report.

#include <string>

#include "platform/network_adapters.h"

// The first address an adapter has; empty when none has one or the list fails.
std::string GetIPAddress(NetworkAdapters& network);
std::string ipAddressSection(const std::string& address);
