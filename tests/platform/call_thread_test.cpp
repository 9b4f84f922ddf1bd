#include "platform/call_thread.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

// What a call throws reaches the waiting thread, and the thread goes on.
TEST(CallThread, CallsRunInOrderAndTheirAnswersAndErrorsCome) {
    CallThread thread;
    std::vector<int> order;
    for (int i = 0; i < 3; ++i) thread.hand([&order, i] { order.push_back(i); });
    thread.hand([] { throw std::runtime_error("selhalo"); });
    EXPECT_THROW(thread.waitUntil(SteadyClock::now() + 10s), std::runtime_error);
    std::optional<std::string> answer =
        thread.ask<std::string>([] { return std::string("hotovo"); }, SteadyClock::now() + 10s);
    EXPECT_EQ("hotovo", answer);
    EXPECT_EQ((std::vector<int>{0, 1, 2}), order);
}

}  // namespace
