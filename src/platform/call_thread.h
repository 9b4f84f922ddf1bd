#pragma once
// A thread of its own for calls that may never come back (a WMI service that hangs, a
// network drive whose server is gone): the caller waits for them until a deadline and
// then goes on without them. A call cannot be stopped, only no longer waited for; a
// thread stuck in one ends with the process.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

using SteadyClock = std::chrono::steady_clock;

class CallThread {
  public:
    CallThread();
    CallThread(const CallThread&) = delete;
    CallThread& operator=(const CallThread&) = delete;
    // Returns at once: the thread runs what it was handed and ends, or ends with the
    // process when a call never comes back.
    ~CallThread();

    // Runs after the calls handed before it.
    void hand(std::function<void()> call);
    // Whether every call handed so far has come back by `deadline`. What a call threw
    // is thrown here, on the waiting thread.
    bool waitUntil(SteadyClock::time_point deadline);

    // `call`'s result, or nothing when it has not come back by `deadline`. What it
    // uses must outlive it: it may still be running after this returns.
    template <class T>
    std::optional<T> ask(std::function<T()> call, SteadyClock::time_point deadline) {
        auto result = std::make_shared<std::optional<T>>();
        hand([call = std::move(call), result] { *result = call(); });
        if (!waitUntil(deadline)) return std::nullopt;
        return std::move(*result);
    }

  private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};
