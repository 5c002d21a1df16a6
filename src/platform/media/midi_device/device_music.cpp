// SPDX-License-Identifier: MIT
#include "platform/media/midi_device/device_music.h"

#include <algorithm>

namespace xmascard::media {

std::int64_t DeviceSynthesizer::dueOf(std::int64_t frame) const {
    // Before the piece is mixed (a seek replays its settings first), its messages belong
    // to the start of the pull in progress.
    if (!anchorFrame_) return clock_->pullStart();
    return anchorPull_ + std::max<std::int64_t>(0, frame - *anchorFrame_);
}

void DeviceSynthesizer::reset() {
    const std::int64_t due = clock_->pullStart();
    anchorFrame_.reset();
    dispatcher_->dropFrom(due);
    std::array<std::uint32_t, DeviceChannels::kResetMessages> messages{};
    channels_.reset(messages);
    for (std::uint32_t message : messages) dispatcher_->post(due, message);
}

void DeviceSynthesizer::send(const MidiEvent& event, std::int64_t frame) {
    dispatcher_->post(dueOf(frame), channels_.messageFor(event));
}

void DeviceSynthesizer::write(float* left, float* right, int samples) {
    std::fill(left, left + samples, 0.0f);
    std::fill(right, right + samples, 0.0f);
}

// The stream pulls one mixer block at a time, so a piece's mixing starts where the pull
// does.
void DeviceSynthesizer::mixFrom(std::int64_t frame) {
    anchorPull_ = clock_->pullStart();
    anchorFrame_ = frame;
    dispatcher_->mixed(anchorPull_);
}

void DeviceSynthesizer::setVolume(Volume volume) {
    // Heard with the next frames the stream pulls, as the mixer's gain would be.
    const std::int64_t due = clock_->pullStart();
    std::array<std::uint32_t, DeviceChannels::kChannels> messages{};
    channels_.setVolume(volume, messages);
    for (std::uint32_t message : messages) dispatcher_->post(due, message);
}

std::shared_ptr<MidiDispatcher> DeviceMusic::dispatcher(std::string& why) {
    std::lock_guard<std::mutex> guard(mutex_);
    if (!opened_) {
        opened_ = true;
        if (auto port = open_(why_))
            dispatcher_ = std::make_shared<MidiDispatcher>(std::move(port), clock_);
    }
    why = why_;
    return dispatcher_;
}

void DeviceMusic::prepare() {
    std::string ignored;  // a failure shows when a piece needs the device
    dispatcher(ignored);
}

Result<std::unique_ptr<Synthesizer>> DeviceMusic::synthesizerFor(const MidiSequence&) {
    using R = Result<std::unique_ptr<Synthesizer>>;
    std::string why;
    auto shared = dispatcher(why);
    if (!shared) return R::failure("no MIDI output device (" + why + "); the music is not played");
    return R::success(std::make_unique<DeviceSynthesizer>(std::move(shared), clock_));
}

}  // namespace xmascard::media
