// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/media/mixer.h"
#include "platform/media/result.h"
#include "platform/media/source.h"
// A build without a synthesizer (Windows, for now) keeps the players' time and mixes MP3
// files only.
#ifndef XMASCARD_NO_SYNTHESIZER
#include "platform/media/fluid_support.h"
#include "platform/media/sound_font.h"
#endif

namespace xmascard::media {

// A file made ready to play: its source (null when the engine only keeps time) and the
// length of one pass.
struct LoadedMedia {
    std::unique_ptr<Source> source;
    std::int64_t lengthFrames = 0;
};

// What an engine and its players share: the mixer and, for engines that synthesize, the
// FluidSynth settings and the SoundFont (loaded on the first MIDI file). Players hold
// it by shared pointer, so a player may outlive its engine.
class EngineCore {
  public:
    static constexpr std::size_t kMaxMidiBytes = 4u * 1024 * 1024;
    static constexpr std::size_t kMaxFileBytes = 16u * 1024 * 1024;

    EngineCore(bool synthesize, int sampleRate);

    Mixer& mixer() { return mixer_; }
    bool synthesizes() const { return synthesize_; }
    int sampleRate() const { return sampleRate_; }
#ifndef XMASCARD_NO_SYNTHESIZER
    const FluidSettings& settings() const { return settings_; }
#endif

    // Reads and prepares a file: a Standard MIDI File when it starts with "MThd", an
    // MP3 file otherwise. Called on the user-interface thread. A failure gives the
    // message to print; `warning` is set when the file loads with a problem.
    Result<LoadedMedia> load(const std::string& path, std::string& warning);

    // Loads the SoundFont now instead of on the first MIDI file.
    void prepareSoundFont();

  private:
    Result<LoadedMedia> loadMidi(const std::vector<std::uint8_t>& bytes);
    Result<LoadedMedia> loadMp3(const std::vector<std::uint8_t>& bytes, std::string& warning);

    const bool synthesize_;
    const int sampleRate_;
#ifndef XMASCARD_NO_SYNTHESIZER
    FluidSettings settings_;
    std::shared_ptr<SoundFont> soundFont_;
#endif
    Mixer mixer_;
};

// Prints "xmascard: <subject>: <message>" as one line on standard error.
void reportProblem(const std::string& subject, const std::string& message);

}  // namespace xmascard::media
