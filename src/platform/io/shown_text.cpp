// SPDX-License-Identifier: MIT
#include "platform/io/shown_text.h"

#include <cstdio>

namespace xmascard::io {
namespace {

// The length of the UTF-8 sequence that starts at `i` and its code point; 0 when the bytes
// there are not UTF-8 (overlong forms and surrogates included).
std::size_t sequenceAt(std::string_view text, std::size_t i, char32_t& code) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
        code = byte;
        return 1;
    }
    const std::size_t length = byte >= 0xF0 && byte <= 0xF4   ? 4
                               : byte >= 0xE0 && byte <= 0xEF ? 3
                               : byte >= 0xC2 && byte <= 0xDF ? 2
                                                              : 0;
    if (length == 0 || i + length > text.size()) return 0;
    code = byte & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

bool isBidiControl(char32_t c) {
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::string escaped(const char* format, unsigned value) {
    char text[12];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::string shown(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t length = sequenceAt(text, i, c);
        if (length == 0) {
            out += escaped("\\x%02x", static_cast<unsigned char>(text[i]));
            ++i;
            continue;
        }
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == 0x1B) {
            out += "\\e";
        } else if (c < 0x20 || c == 0x7F) {
            out += escaped("\\x%02x", static_cast<unsigned>(c));
        } else if ((c >= 0x80 && c <= 0x9F) || isBidiControl(c) || c == 0x2028 || c == 0x2029) {
            out += escaped("\\u%04x", static_cast<unsigned>(c));
        } else {
            out.append(text.substr(i, length));
        }
        i += length;
    }
    return out;
}

}  // namespace xmascard::io
