#pragma once
// The network address: the first adapter's address, for the complete report.

#include <string>

#include "facts/record.h"
#include "platform/network_adapters.h"

// The first address an adapter has; empty when none has one or the list fails. Only
// each adapter's first address counts.
std::string GetIPAddress(NetworkAdapters& network);
std::string ipAddressOf(const AdapterList& list);
std::string ipAddressSection(const std::string& address);

// "ipAddress", the one the report gives, and "adapters" into `record`.
void networkRecord(Json& record, NetworkAdapters& network);
