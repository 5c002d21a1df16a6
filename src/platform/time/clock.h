// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <chrono>
#include <optional>

namespace xmascard {

// The one source of time of the program, in seconds. It never goes back: the pace tests of
// the show compare it with times taken earlier, so a clock that fell back at midnight would
// freeze them.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
};

// Real runs: seconds since the clock was made, from the monotonic system clock.
class MonotonicClock final : public Clock {
  public:
    MonotonicClock() : start_(std::chrono::steady_clock::now()) {}
    double now() const override {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

  private:
    std::chrono::steady_clock::time_point start_;
};

// Tests and recordings: time moves only when told to.
class VirtualClock final : public Clock {
  public:
    explicit VirtualClock(double start = 0) : now_(start) {}
    double now() const override { return now_; }
    void set(double seconds) {
        if (seconds > now_) now_ = seconds;
    }
    void advance(double seconds) { set(now_ + seconds); }

  private:
    double now_;
};

// Real runs: real time, except while the timers of a system tick fire, when it reads that
// tick's time. Ticks are run a frame's worth at a time, and each then sees the time it was
// due at, as in the virtual runs the tests check. It never reads less than it read before.
class TickClock final : public Clock {
  public:
    explicit TickClock(const Clock& real) : real_(real) {}
    double now() const override {
        last_ = std::max(last_, pinned_ ? *pinned_ : real_.now());
        return last_;
    }
    void pin(double tick) { pinned_ = tick; }
    void unpin() { pinned_.reset(); }
    const Clock& real() const { return real_; }

  private:
    const Clock& real_;
    std::optional<double> pinned_;
    mutable double last_ = 0;
};

}  // namespace xmascard
