// SPDX-License-Identifier: MIT
#include "platform/media/midi_device/midi_dispatcher.h"

#include <algorithm>
#include <array>

#include "platform/media/midi_device/device_channels.h"

namespace xmascard::media {

MidiDispatcher::MidiDispatcher(std::unique_ptr<MidiPort> port, std::shared_ptr<PlaybackClock> clock,
                               bool ownThread)
    : port_(std::move(port)), clock_(std::move(clock)) {
    queue_.reserve(kRoom + DeviceChannels::kSilenceMessages);
    if (ownThread) thread_ = std::thread([this] { run(); });
}

MidiDispatcher::~MidiDispatcher() {
    {
        std::lock_guard<std::mutex> guard(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
    std::array<std::uint32_t, DeviceChannels::kSilenceMessages> silence{};
    DeviceChannels::silence(silence);
    for (std::uint32_t message : silence) port_->send(message);
}

void MidiDispatcher::post(std::int64_t due, std::uint32_t message) {
    std::lock_guard<std::mutex> guard(mutex_);
    if (queue_.size() == kRoom) return;
    const auto at = std::upper_bound(queue_.begin(), queue_.end(), due,
                                     [](std::int64_t d, const Timed& t) { return d < t.due; });
    queue_.insert(at, Timed{due, message});
}

void MidiDispatcher::dropFrom(std::int64_t from) {
    std::lock_guard<std::mutex> guard(mutex_);
    std::erase_if(queue_, [from](const Timed& t) { return t.due >= from; });
}

void MidiDispatcher::mixed(std::int64_t pullStart) {
    std::lock_guard<std::mutex> guard(mutex_);
    mixedPull_ = pullStart;
    sounding_ = true;
}

void MidiDispatcher::silenceFrom(std::int64_t from) {
    std::erase_if(queue_, [from](const Timed& t) { return t.due >= from; });
    std::array<std::uint32_t, DeviceChannels::kSilenceMessages> silence{};
    DeviceChannels::silence(silence);
    for (std::uint32_t message : silence) queue_.push_back(Timed{from, message});
    sounding_ = false;
}

void MidiDispatcher::sendDue(std::int64_t heard) {
    std::vector<std::uint32_t> due;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        if (clock_->stopped() && !stopped_) {
            // The stream's sound has faded out: the device's stops with it, now.
            queue_.clear();
            silenceFrom(heard);
            stopped_ = true;
        }
        const std::int64_t lastPull = clock_->lastPullStart();
        if (sounding_ && lastPull > mixedPull_) silenceFrom(lastPull);
        const auto end = std::find_if(queue_.begin(), queue_.end(),
                                      [heard](const Timed& t) { return t.due > heard; });
        due.reserve(static_cast<std::size_t>(end - queue_.begin()));
        for (auto it = queue_.begin(); it != end; ++it) due.push_back(it->message);
        queue_.erase(queue_.begin(), end);
    }
    for (std::uint32_t message : due) port_->send(message);
}

void MidiDispatcher::run() {
    // The thread wakes at the next message's frame, within a millisecond; and at least every
    // 20 ms, as new messages are due no sooner than the stream's buffering ahead of now.
    using namespace std::chrono;
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        lock.unlock();
        const std::int64_t heard = clock_->heard(PlaybackClock::Clock::now());
        sendDue(heard);
        lock.lock();
        auto pause = milliseconds(20);
        if (!queue_.empty()) {
            const std::int64_t ms = (queue_.front().due - heard) * 1000 / clock_->sampleRate();
            pause = std::clamp(milliseconds(ms), milliseconds(1), pause);
        }
        wake_.wait_for(lock, pause, [this] { return quit_; });
    }
}

}  // namespace xmascard::media
