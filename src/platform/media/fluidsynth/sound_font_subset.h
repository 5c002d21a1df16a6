// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/media/result.h"

namespace xmascard::media {

// A SoundFont file cut down to the presets a piece plays: the same file, with only those
// presets, the instruments their zones play and the samples those instruments play (and the
// stereo partners of those samples), every record and every sample point as they were. A
// synthesizer plays the piece from it exactly as from the whole file, holding a few per cent
// of its samples and zones.
//
// `presets` are (bank, program) pairs as program changes select them (bank 128 for the
// percussion channel). One the file lacks is kept as FluidSynth falls back from it when a
// channel selects it: the standard kit for percussion, else the program in bank 0, else
// the first preset of bank 0. Works on files that pass checkSoundFontFile(); a file that
// does not gives a failure.
Result<std::vector<std::uint8_t>> soundFontSubset(const std::string& path,
                                                  const std::vector<std::pair<int, int>>& presets);

}  // namespace xmascard::media
