// deadline.h — a point in time that waits give up at, and the poll loop they share.
//
// Every wait in the suite is a poll of some condition against a Deadline; nothing
// sleeps without a condition to re-check. Header-only.
#pragma once

#include <chrono>
#include <thread>

using SteadyClock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

class Deadline {
public:
    explicit Deadline(Milliseconds budget) : end_(SteadyClock::now() + budget) {}
    bool expired() const { return SteadyClock::now() >= end_; }
    // What is left of the budget, never negative.
    Milliseconds remaining() const {
        const auto left = std::chrono::duration_cast<Milliseconds>(end_ - SteadyClock::now());
        return left.count() > 0 ? left : Milliseconds(0);
    }

private:
    SteadyClock::time_point end_;
};

// Pause between two polls: short enough to keep the suite fast, long enough to leave
// the viewer the CPU when both cores are busy.
constexpr Milliseconds POLL_INTERVAL{10};

// Calls `poll` until it returns true or the deadline passes; the last poll happens
// at or after the deadline, so a condition met just in time still counts.
template <class Poll>
bool pollUntil(const Deadline& deadline, Poll&& poll) {
    for (;;) {
        const bool expired = deadline.expired();
        if (poll()) return true;
        if (expired) return false;
        std::this_thread::sleep_for(POLL_INTERVAL);
    }
}
