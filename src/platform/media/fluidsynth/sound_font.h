// SPDX-License-Identifier: MIT
#pragma once

#include <fluidsynth.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/media/fluidsynth/fluid_support.h"
#include "platform/media/result.h"

namespace xmascard::media {

// The General MIDI SoundFont file the music plays on. A piece's synthesizer loads from it
// a font of its own with only the presets the piece selects (see sound_font_subset.h),
// all their samples read at once: nothing is read from the file while the piece plays,
// and a few per cent of the file's samples and zones are held in memory.
class SoundFont {
  public:
    // Where to look, in order: the chosen file alone when there is one; otherwise
    // FluidSynth's synth.default-soundfont, the Debian default-GM links, then
    // well-known file names.
    static std::vector<std::string> candidates(fluid_settings_t* settings,
                                               const std::optional<std::string>& chosen);

    // The first candidate that passes the check (sound_font_check.h), preferring files
    // under 40 MB (the card must stay small in memory) before trying larger ones.
    static Result<std::shared_ptr<SoundFont>> load(const FluidSettings& settings,
                                                   const std::optional<std::string>& chosen = {});

    // Loads into the synthesizer (see addMemorySoundFontLoader()) a font of this file with
    // the presets a program change to each (bank, program) of `presets` selects, and those a
    // reset selects (the piano, and the standard kit on channel 10). Fails with a message
    // that names the file.
    Result<int> loadInto(fluid_synth_t* synth, std::vector<std::pair<int, int>> presets) const;

    const std::string& path() const { return path_; }

  private:
    explicit SoundFont(std::string path) : path_(std::move(path)) {}

    std::string path_;
};

}  // namespace xmascard::media
