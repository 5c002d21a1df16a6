// SPDX-License-Identifier: MIT
#include "platform/media/midi_device/playback_clock.h"

#include <algorithm>

namespace xmascard::media {

void PlaybackClock::pullBegins() {
    std::lock_guard<std::mutex> guard(mutex_);
    pullStart_ = pulled_;
}

void PlaybackClock::pullEnds(int frames) {
    std::lock_guard<std::mutex> guard(mutex_);
    lastPullStart_ = pullStart_;
    pulled_ = pullStart_ + frames;
    pullStart_ = pulled_;
}

void PlaybackClock::heardUpTo(std::int64_t frames, Clock::time_point when) {
    std::lock_guard<std::mutex> guard(mutex_);
    heard_ = frames;
    heardAt_ = when;
    playing_ = true;
}

void PlaybackClock::stop() {
    std::lock_guard<std::mutex> guard(mutex_);
    stopped_ = true;
}

std::int64_t PlaybackClock::pullStart() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return pullStart_;
}

std::int64_t PlaybackClock::lastPullStart() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return lastPullStart_;
}

std::int64_t PlaybackClock::heard(Clock::time_point now) const {
    std::lock_guard<std::mutex> guard(mutex_);
    if (!playing_) return heard_;
    const double since = std::chrono::duration<double>(now - heardAt_).count();
    const auto moved = static_cast<std::int64_t>(std::max(0.0, since) * sampleRate_);
    return std::min(heard_ + moved, pulled_);
}

bool PlaybackClock::stopped() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return stopped_;
}

}  // namespace xmascard::media
