// SPDX-License-Identifier: MIT
#pragma once

#include <array>

namespace xmascard::media {

// The preset, instrument and sample tables of a SoundFont's pdta list, in the order they
// must come, with the size of one record.
struct SoundFontTable {
    const char* id;
    int record;
};
enum SoundFontTableIndex { kPhdr, kPbag, kPmod, kPgen, kInst, kIbag, kImod, kIgen, kShdr };
inline constexpr std::array<SoundFontTable, 9> kSoundFontTables = {{{"phdr", 38},
                                                                    {"pbag", 4},
                                                                    {"pmod", 10},
                                                                    {"pgen", 4},
                                                                    {"inst", 22},
                                                                    {"ibag", 4},
                                                                    {"imod", 10},
                                                                    {"igen", 4},
                                                                    {"shdr", 46}}};

}  // namespace xmascard::media
