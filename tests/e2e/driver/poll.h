// Waiting for an effect: ask again and again until it shows or the time is up. Every wait in
// the end-to-end tests goes through here; none sleeps a fixed time and hopes.
#pragma once

#include <windows.h>

#include <chrono>
#include <utility>

namespace e2e {

using Millis = std::chrono::milliseconds;
using namespace std::chrono_literals;

inline constexpr Millis kPollInterval = 20ms;

inline void pause_for(Millis interval) { Sleep(static_cast<DWORD>(interval.count())); }

// True as soon as `condition()` is true; false if it is still false when `timeout` has passed.
// The condition is always asked at least once, and once more at the deadline.
template <class Condition>
bool poll(Condition&& condition, Millis timeout, Millis interval = kPollInterval) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        pause_for(interval);
    }
}

// Like poll(), for a probe that returns a value testable as bool (a handle, an optional):
// the first value that tests true, or the last one asked for when the time is up.
template <class Probe>
auto poll_for(Probe&& probe, Millis timeout, Millis interval = kPollInterval) -> decltype(probe()) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        auto value = probe();
        if (value || std::chrono::steady_clock::now() >= deadline) return value;
        pause_for(interval);
    }
}

}  // namespace e2e
