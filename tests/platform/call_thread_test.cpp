#include "platform/call_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// A call that does not come back until the test lets it.
struct Gate {
    std::promise<void> open;
    std::shared_future<void> opened = open.get_future().share();
};

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

// Past the deadline the caller goes on; the stuck call and whatever was handed after
// it still run once it comes back, on the thread, even when its owner is gone.
TEST(CallThread, AStuckCallIsLeftAtItsDeadline) {
    Gate gate;
    auto later = std::make_shared<std::atomic<int>>(0);
    {
        CallThread thread;
        const SteadyClock::time_point start = SteadyClock::now();
        std::optional<int> answer = thread.ask<int>(
            [opened = gate.opened] {
                opened.wait();
                return 1;
            },
            start + 100ms);
        EXPECT_FALSE(answer);
        EXPECT_GE(SteadyClock::now() - start, 100ms);
        EXPECT_LT(SteadyClock::now() - start, 5s);
        thread.hand([later] { ++*later; });
        EXPECT_FALSE(thread.waitUntil(SteadyClock::now() + 10ms));
    }  // does not wait for the stuck call
    EXPECT_EQ(0, *later);
    gate.open.set_value();
    for (int i = 0; i < 1000 && *later == 0; ++i) std::this_thread::sleep_for(5ms);
    EXPECT_EQ(1, *later);
}

}  // namespace
