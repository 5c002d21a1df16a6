// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/media/synthesizer.h"

namespace xmascard {

// Music that cannot be synthesized where the card runs (FluidSynth needs GLib, which a
// browser lacks): the card's piece as FluidSynth rendered it when the page was built, at the
// synthesizer's rate (half the output rate), with the card's SoundFont and settings, carried
// as MP3. Its synthesizer plays those samples from where the piece stands, so the media
// engine still starts, moves, mixes, fades and halts the piece as it would a synthesized one.
class PrerenderedMusic final : public media::Music {
  public:
    // The MP3 of the rendered piece.
    explicit PrerenderedMusic(std::span<const std::uint8_t> mp3) : mp3_(mp3) {}

    void prepare() override { samples(); }
    media::Result<std::unique_ptr<media::Synthesizer>> synthesizerFor(
        const media::MidiSequence& piece) override;
    void ready(media::Synthesizer&, const media::MidiSequence&) override {}

  private:
    // The decoded piece, stereo interleaved; empty (with one line said) when it does not
    // decode.
    std::shared_ptr<const std::vector<float>> samples();

    std::span<const std::uint8_t> mp3_;
    std::shared_ptr<const std::vector<float>> samples_;
};

// The piece as this page carries it; null when it carries none, and the music is then only
// timed.
std::shared_ptr<media::Music> prerenderedMusic();

}  // namespace xmascard
