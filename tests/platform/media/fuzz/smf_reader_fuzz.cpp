// SPDX-License-Identifier: MIT
// libFuzzer target: the Standard MIDI File reader on arbitrary bytes. Any crash, leak,
// out-of-bounds access or broken invariant of the result is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/media/smf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace xmascard::media;
    SmfLimits limits;
    limits.maxEvents = 65536;  // keep each run quick; the logic is the same
    auto result = readStandardMidiFile(std::span<const std::uint8_t>(data, size), 44100, limits);
    if (result.ok()) {
        const MidiSequence& sequence = result.value();
        std::int64_t last = 0;
        for (const MidiEvent& event : sequence.events) {
            if (event.frame < last || event.status < 0x80 || event.status >= 0xF0 ||
                event.data1 > 0x7F || event.data2 > 0x7F) {
                std::abort();
            }
            last = event.frame;
        }
        if (last > sequence.lengthFrames || sequence.lengthFrames > 3600LL * 44100 + 1)
            std::abort();
    } else if (result.error().empty()) {
        std::abort();
    }
    return 0;
}
