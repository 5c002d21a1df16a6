// SPDX-License-Identifier: MIT
#include "backends/web/grapheme_ends.h"

#include <emscripten.h>

#include <algorithm>

// Writes the UTF-8 end offsets of the text's graphemes into `out` (at most `capacity`);
// returns how many there are, or -1 when the engine has no segmenter.
// clang-format off
EM_JS(int, xmascard_grapheme_ends, (const char* text, int length, int* out, int capacity), {
    if (typeof Intl !== "object" || typeof Intl.Segmenter !== "function") return -1;
    const string = UTF8ToString(text, length);
    let end = 0, count = 0;
    for (const piece of new Intl.Segmenter(undefined, {granularity: "grapheme"}).segment(string)) {
        end += lengthBytesUTF8(piece.segment);
        if (count < capacity) HEAP32[(out >> 2) + count] = end;
        ++count;
    }
    return count;
});
// clang-format on

namespace xmascard {

std::vector<std::size_t> graphemeEnds(const std::string& text) {
    std::vector<int> ends(text.size());
    const int count = text.empty() ? 0
                                   : xmascard_grapheme_ends(text.data(), static_cast<int>(text.size()),
                                                            ends.data(), static_cast<int>(ends.size()));
    std::vector<std::size_t> out;
    if (count >= 0) {
        // Bytes that are no UTF-8 count as one character each, but may be measured longer.
        for (int i = 0; i < std::min<int>(count, static_cast<int>(ends.size())); ++i)
            if (static_cast<std::size_t>(ends[i]) < text.size()) out.push_back(ends[i]);
        if (!text.empty()) out.push_back(text.size());
        return out;
    }
    // Without a segmenter: every code point (a byte that continues none starts one).
    for (std::size_t i = 1; i <= text.size(); ++i)
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) out.push_back(i);
    return out;
}

}  // namespace xmascard
