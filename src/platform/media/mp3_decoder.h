// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/media/result.h"

namespace xmascard::media {

// Decoded sound held in memory: interleaved float samples at the engine's rate.
struct PcmClip {
    std::vector<float> samples;
    int channels = 1;  // 1 (mono) or 2 (stereo, interleaved)

    std::int64_t frames() const { return static_cast<std::int64_t>(samples.size()) / channels; }
};

struct Mp3Limits {
    double maxSeconds = 60.0;  // longer sounds are cut here (with a warning)
    // Set by another thread that no longer waits for the result: the decoding stops at
    // its next block.
    const std::atomic<bool>* abandon = nullptr;
};

// Decodes a whole MP3 file held in memory with libmpg123's feed API. The output is
// pinned to `sampleRate` (libmpg123 converts other rates itself). Encoder delay and
// padding are trimmed when the file carries a LAME/Info tag. A file with no MPEG audio
// frames fails; a damaged or over-long file keeps what decoded and sets `warning`.
Result<PcmClip> decodeMp3(std::span<const std::uint8_t> bytes, int sampleRate, std::string& warning,
                          const Mp3Limits& limits = {});

}  // namespace xmascard::media
