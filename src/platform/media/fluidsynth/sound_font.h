// SPDX-License-Identifier: MIT
#pragma once

#include <fluidsynth.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/media/fluidsynth/fluid_support.h"
#include "platform/media/result.h"

namespace xmascard::media {

// The General MIDI SoundFont of an engine, loaded once and shared by the synthesizers
// of all its MIDI players (fluid_synth_add_sfont). A hidden host synthesizer owns it;
// every synthesizer that adds it must remove it again before it is deleted.
//
// A preset's sample data is read from the file when a synthesizer first selects it and
// freed when none has it selected. The host keeps the presets a piece uses selected on
// channels of its own (hold()), so the players' synthesizers, which change programs on
// the audio thread and reset them at every seek, never read the file or free its data.
class SoundFont {
  public:
    // Where to look, in order: the chosen file alone when there is one; otherwise
    // FluidSynth's synth.default-soundfont, the Debian default-GM links, then
    // well-known file names.
    static std::vector<std::string> candidates(fluid_settings_t* settings,
                                               const std::optional<std::string>& chosen);

    // Loads the first candidate that loads, preferring files under 40 MB (the card
    // must stay small in memory) before trying larger ones.
    static Result<std::shared_ptr<SoundFont>> load(const FluidSettings& settings,
                                                   const std::optional<std::string>& chosen = {});

    ~SoundFont();
    SoundFont(const SoundFont&) = delete;
    SoundFont& operator=(const SoundFont&) = delete;

    // Keeps a preset's samples loaded for as long as the font lives: the preset a program
    // change to (bank, program) selects, with FluidSynth's fallbacks for one the font lacks.
    // False when the font has no such preset, or the host has no channel left (the samples
    // are then read when a player selects it).
    bool hold(int bank, int program);

    fluid_sfont_t* handle() const { return sfont_; }
    const std::string& path() const { return path_; }

  private:
    SoundFont(FluidSettings settings, fluid_synth_t* host, fluid_sfont_t* sfont, std::string path)
        : settings_(std::move(settings)), host_(host), sfont_(sfont), path_(std::move(path)) {}

    // One held preset per channel of the host, on channels 0 .. nextChannel_ - 1.
    static constexpr int kHostChannels = 64;

    FluidSettings settings_;
    fluid_synth_t* host_;
    fluid_sfont_t* sfont_;
    std::string path_;
    int nextChannel_ = 0;
};

}  // namespace xmascard::media
