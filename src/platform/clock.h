#pragma once

#include <chrono>

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

}  // namespace xmascard
