// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>

namespace xmascard::media {

// Where a sound device's stream stands, in frames of the stream (the first frame it ever
// pulled is 0): what it is pulling from the mixer now, and what has been heard. A MIDI
// device plays its events itself, so they are timed by this clock to be heard with the
// frames they were mixed at. Written by the stream's thread, read by any.
class PlaybackClock {
  public:
    using Clock = std::chrono::steady_clock;
    explicit PlaybackClock(int sampleRate) : sampleRate_(sampleRate) {}

    // The stream's thread: a pull of `frames` frames begins, or has ended.
    void pullBegins();
    void pullEnds(int frames);
    // The stream's thread: the device has played `frames` frames in all, as of `when`.
    void heardUpTo(std::int64_t frames, Clock::time_point when);
    // The stream stops for good (its sound faded out): nothing more will be heard.
    void stop();

    // The stream frame the pull in progress (or the next one) starts at.
    std::int64_t pullStart() const;
    // The start of the last pull that has ended; -1 before the first.
    std::int64_t lastPullStart() const;
    // The frames heard by `now`: the last count the device gave, moved on at the sample
    // rate since, but never past what was pulled.
    std::int64_t heard(Clock::time_point now) const;
    bool stopped() const;
    int sampleRate() const { return sampleRate_; }

  private:
    const int sampleRate_;
    mutable std::mutex mutex_;
    std::int64_t pulled_ = 0;
    std::int64_t pullStart_ = 0;
    std::int64_t lastPullStart_ = -1;
    std::int64_t heard_ = 0;
    Clock::time_point heardAt_{};
    bool playing_ = false;
    bool stopped_ = false;
};

}  // namespace xmascard::media
