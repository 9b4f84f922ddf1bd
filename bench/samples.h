#pragma once
// Repeated timings of one thing, and what the table shows of them.

#include <chrono>
#include <string>
#include <vector>

struct Samples {
    std::string name;
    std::vector<double> ms;

    bool empty() const { return ms.empty(); }
    double min() const;
    double median() const;
    double max() const;
};

using BenchClock = std::chrono::steady_clock;

inline double msSince(BenchClock::time_point start) {
    return std::chrono::duration<double, std::milli>(BenchClock::now() - start).count();
}

template <class Run>
void addTiming(Samples& s, Run run) {
    BenchClock::time_point start = BenchClock::now();
    run();
    s.ms.push_back(msSince(start));
}

// `run` timed `count` times, each after an untimed `prepare`.
template <class Prepare, class Run>
Samples timed(std::string name, int count, Prepare prepare, Run run) {
    Samples s{std::move(name), {}};
    for (int i = 0; i < count; ++i) {
        prepare();
        addTiming(s, run);
    }
    return s;
}
