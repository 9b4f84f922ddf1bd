// Wine lists its ifb adapters, whose first address is 0.0.0.0, ahead of the one with
// a real address; the record layout is the 64-bit one (704 bytes, not 640).

#include <winsock2.h>
#include <ws2tcpip.h>

#include <iphlpapi.h>

#include <gtest/gtest.h>

#include "support/step_alone.h"

#include <set>

#include "support/real_program_win32.h"

namespace {

// The IPv4 addresses of all adapters, through the newer call.
std::set<std::string> unicastAddresses() {
    ULONG size = 64 * 1024;
    std::vector<unsigned char> buffer(size);
    auto* first = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
    std::set<std::string> out;
    if (GetAdaptersAddresses(AF_INET, 0, nullptr, first, &size) != NO_ERROR) return out;
    for (auto* a = first; a; a = a->Next) {
        for (auto* u = a->FirstUnicastAddress; u; u = u->Next) {
            const auto* in = reinterpret_cast<const sockaddr_in*>(u->Address.lpSockaddr);
            const auto* b = reinterpret_cast<const unsigned char*>(&in->sin_addr);
            out.insert(std::to_string(b[0]) + "." + std::to_string(b[1]) + "." +
                       std::to_string(b[2]) + "." + std::to_string(b[3]));
        }
    }
    return out;
}

}  // namespace

TEST(WineAdapters, ReportsARealAddress) {
    std::set<std::string> addresses = unicastAddresses();
    addresses.erase("0.0.0.0");
    addresses.erase("127.0.0.1");
    if (addresses.empty()) GTEST_SKIP() << "no adapter with an address on this machine";

    RealProgram program;
    Form1& form1 = program.k.form1;
    atStepAlone(form1, "2");
    program.k.ip_adress.show();
    std::string text = form1.tb_Info.text();
    ASSERT_TRUE(text.starts_with("\r\nIP adresa: ")) << text;
    ASSERT_TRUE(text.ends_with("\r\n\r\n")) << text;
    std::string address = text.substr(13, text.size() - 17);
    EXPECT_NE("0.0.0.0", address);
    EXPECT_TRUE(addresses.count(address)) << address;
    EXPECT_EQ("3", form1.tb_Forms_show.text());
    EXPECT_FALSE(program.k.ip_adress.loaded());
}
