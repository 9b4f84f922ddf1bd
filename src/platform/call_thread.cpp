#include "platform/call_thread.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

// What the thread and its owner share; the thread keeps it while it runs, so that it
// may outlive its owner.
struct CallThread::Shared {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<std::function<void()>> calls;
    uint64_t handed = 0;
    uint64_t done = 0;
    bool ending = false;
    std::exception_ptr thrown;  // by a call, for the next wait to throw on

    void run() {
        std::unique_lock<std::mutex> held(lock);
        for (;;) {
            changed.wait(held, [this] { return ending || !calls.empty(); });
            if (calls.empty()) return;
            std::function<void()> call = std::move(calls.front());
            calls.pop_front();
            held.unlock();
            std::exception_ptr error;
            try {
                call();
            } catch (...) {  // out of the thread it would end the process
                error = std::current_exception();
            }
            call = nullptr;  // what it holds goes on this thread, as it came
            held.lock();
            if (error && !thrown) thrown = error;
            ++done;
            changed.notify_all();
        }
    }
};

CallThread::CallThread() : shared_(std::make_shared<Shared>()) {
    std::thread([shared = shared_] { shared->run(); }).detach();
}

CallThread::~CallThread() {
    std::lock_guard<std::mutex> held(shared_->lock);
    shared_->ending = true;
    shared_->changed.notify_all();
}

void CallThread::hand(std::function<void()> call) {
    std::lock_guard<std::mutex> held(shared_->lock);
    shared_->calls.push_back(std::move(call));
    ++shared_->handed;
    shared_->changed.notify_all();
}

bool CallThread::waitUntil(SteadyClock::time_point deadline) {
    std::unique_lock<std::mutex> held(shared_->lock);
    const uint64_t handed = shared_->handed;
    if (!shared_->changed.wait_until(held, deadline, [&] { return shared_->done >= handed; }))
        return false;
    if (std::exception_ptr thrown = std::exchange(shared_->thrown, nullptr))
        std::rethrow_exception(thrown);
    return true;
}
