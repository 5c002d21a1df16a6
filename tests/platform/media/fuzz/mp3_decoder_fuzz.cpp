// SPDX-License-Identifier: MIT
// libFuzzer target: the MP3 decoding path (ID3 tags, LAME/Info headers, MPEG frames) on
// arbitrary bytes, as the card decodes a Bells.mp3 it finds on disk. Any crash, leak,
// out-of-bounds access, broken invariant of the result or input that takes longer than
// the run's per-input time limit (-timeout) is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/media/mp3_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace xmascard::media;
    std::string warning;
    Mp3Limits limits;
    auto result = decodeMp3(std::span<const std::uint8_t>(data, size), 44100, warning, limits);
    if (result.ok()) {
        const PcmClip& clip = result.value();
        if ((clip.channels != 1 && clip.channels != 2) || clip.frames() <= 0 ||
            clip.samples.size() % static_cast<std::size_t>(clip.channels) != 0 ||
            clip.frames() > static_cast<std::int64_t>(limits.maxSeconds * 44100) + 1)
            std::abort();
    } else if (result.error().empty()) {
        std::abort();
    }
    return 0;
}
