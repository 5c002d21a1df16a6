// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/media/midi_device/device_channels.h"
#include "platform/media/midi_device/midi_dispatcher.h"
#include "platform/media/synthesizer.h"

namespace xmascard::media {

// One piece on a MIDI device: its events go to the device, timed by the stream's clock to
// be heard with the frames they belong to, and it renders silence into the mix.
class DeviceSynthesizer final : public Synthesizer {
  public:
    DeviceSynthesizer(std::shared_ptr<MidiDispatcher> dispatcher,
                      std::shared_ptr<PlaybackClock> clock)
        : dispatcher_(std::move(dispatcher)), clock_(std::move(clock)) {}

    void reset() override;
    void send(const MidiEvent& event, std::int64_t frame) override;
    void write(float* left, float* right, int samples) override;
    void mixFrom(std::int64_t frame) override;
    void setVolume(Volume volume) override;

  private:
    // The stream frame at which the piece's frame `frame` is heard.
    std::int64_t dueOf(std::int64_t frame) const;

    std::shared_ptr<MidiDispatcher> dispatcher_;
    std::shared_ptr<PlaybackClock> clock_;
    DeviceChannels channels_;
    // The piece's frame mixed at the start of the stream's current pull, once known.
    std::optional<std::int64_t> anchorFrame_;
    std::int64_t anchorPull_ = 0;
};

// The music of an engine on a system's MIDI device, opened for the first piece (or when
// asked) and shared by every piece. No device: each piece fails to load with the reason,
// and the card goes on without its music.
class DeviceMusic final : public Music {
  public:
    using OpenPort = std::function<std::unique_ptr<MidiPort>(std::string& why)>;
    DeviceMusic(OpenPort open, std::shared_ptr<PlaybackClock> clock)
        : open_(std::move(open)), clock_(std::move(clock)) {}

    void prepare() override;
    Result<std::unique_ptr<Synthesizer>> synthesizerFor(const MidiSequence& piece) override;
    void ready(Synthesizer&, const MidiSequence&) override {}

  private:
    // The device's dispatcher, opened on first use by whichever thread needs it first.
    std::shared_ptr<MidiDispatcher> dispatcher(std::string& why);

    OpenPort open_;
    std::shared_ptr<PlaybackClock> clock_;
    std::mutex mutex_;
    bool opened_ = false;
    std::string why_;
    std::shared_ptr<MidiDispatcher> dispatcher_;
};

}  // namespace xmascard::media
