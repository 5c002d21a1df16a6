// SPDX-License-Identifier: MIT
#pragma once

#include <fluidsynth.h>

#include <cstdint>
#include <string>
#include <vector>

namespace xmascard::media {

// Lets a synthesizer load SoundFont files held in memory, through FluidSynth's own loader
// reading from the bytes given: call once on a new synthesizer, before it loads a font.
void addMemorySoundFontLoader(fluid_synth_t* synth, fluid_settings_t* settings);

// Loads the SoundFont file `bytes` into the synthesizer, which must have the loader above,
// with the samples of every preset (synth.dynamic-sample-loading reads them here, one by
// one, and keeps them); the bytes may go once this returns. The font's id, or -1 with `why`
// set. (A font loaded whole would read its samples in an OpenMP team of threads, whose
// runtime ends the process when it cannot start one.)
int loadMemorySoundFont(fluid_synth_t* synth, const std::vector<std::uint8_t>& bytes,
                        std::string& why);

}  // namespace xmascard::media
