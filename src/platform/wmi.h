#pragma once
// Windows Management Instrumentation on the local computer: the instances of a class
// and their properties.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

// Each call either gives its result or fails with the system's description of the
// failure (never empty).
template <class T>
struct WmiResult {
    // Only for values that convert to T, so it never stands in for copy or move.
    template <class U>
    // NOLINTNEXTLINE(bugprone-forwarding-reference-overload)
    requires std::is_convertible_v<U&&, T> WmiResult(U&& value)
        : outcome_(std::in_place_index<0>, std::forward<U>(value)) {}
    static WmiResult failed(std::string description) {
        return WmiResult(std::in_place_index<1>, std::move(description));
    }

    bool ok() const { return outcome_.index() == 0; }
    T& value() { return std::get<0>(outcome_); }
    const T& value() const { return std::get<0>(outcome_); }
    const std::string& failure() const { return std::get<1>(outcome_); }

  private:
    template <size_t I>
    WmiResult(std::in_place_index_t<I> i, std::string description)
        : outcome_(i, std::move(description)) {}
    std::variant<T, std::string> outcome_;
};

struct WmiDone {};

// A property's value. Unsigned integers keep their full range.
struct WmiValue {
    enum class Kind { Null, Text, Integer, Boolean };
    Kind kind = Kind::Null;
    std::string text;  // UTF-8
    int64_t integer = 0;
    bool boolean = false;

    static WmiValue ofText(std::string t) { return {Kind::Text, std::move(t)}; }
    static WmiValue ofInteger(int64_t n) { return {Kind::Integer, {}, n}; }
    static WmiValue ofBoolean(bool b) { return {Kind::Boolean, {}, 0, b}; }
};

struct WmiObject {
    virtual ~WmiObject() = default;
    // The instance's full object path (`__PATH`); empty for an object that has none.
    virtual WmiResult<std::string> path() = 0;
    // Fails when the instance has no property of that name; a property without a
    // value is a null value, not a failure. Names are matched without regard to case.
    virtual WmiResult<WmiValue> property(const std::string& name) = 0;
};

struct WmiObjectSet {
    virtual ~WmiObjectSet() = default;
    virtual WmiResult<int32_t> count() = 0;
    // Every instance once, in the set's order, until `each` returns false.
    virtual WmiResult<WmiDone> forEach(const std::function<bool(WmiObject&)>& each) = 0;
    // The instance with that full object path.
    virtual WmiResult<std::unique_ptr<WmiObject>> item(const std::string& path) = 0;
};

struct WmiServices {
    virtual ~WmiServices() = default;
    // Asked to return at once: the instances come when they are counted or enumerated.
    virtual WmiResult<std::unique_ptr<WmiObjectSet>> instancesOf(const std::string& className) = 0;
};

struct Wmi {
    virtual ~Wmi() = default;
    // The default namespace of the local computer.
    virtual WmiResult<std::unique_ptr<WmiServices>> connect() = 0;
};

// How long one connection waits for WMI in all, its listing and every later call
// together: a WMI service that hangs must not hang a nightly run.
inline constexpr std::chrono::milliseconds kWmiPatience{30000};

// Each connection has a thread of its own, with COM started there: WMI needs nothing of
// the calling thread. Past its patience a connection's calls fail with the reason.
struct Win32Wmi : Wmi {
    std::chrono::milliseconds patience = kWmiPatience;
    WmiResult<std::unique_ptr<WmiServices>> connect() override;
};
