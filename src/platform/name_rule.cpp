// SPDX-License-Identifier: MIT
#include "platform/name_rule.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/graphics.h"

namespace xmascard {
namespace {

struct Range {
    char32_t first;
    char32_t last;
};

bool inAny(char32_t c, std::initializer_list<Range> ranges) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [c](const Range& r) { return c >= r.first && c <= r.last; });
}

// Unicode's White_Space and Default_Ignorable_Code_Point characters, and the blanks that
// draw nothing though they are neither (the Braille blank, the Hangul fillers).
bool isInvisible(char32_t c) {
    return inAny(c, {{0x0020, 0x0020},   {0x00A0, 0x00A0},  {0x00AD, 0x00AD}, {0x034F, 0x034F},
                     {0x061C, 0x061C},   {0x115F, 0x1160},  {0x1680, 0x1680}, {0x17B4, 0x17B5},
                     {0x180B, 0x180F},   {0x2000, 0x200F},  {0x202A, 0x202F}, {0x205F, 0x206F},
                     {0x2800, 0x2800},   {0x3000, 0x3000},  {0x3164, 0x3164}, {0xFE00, 0xFE0F},
                     {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0},  {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3},
                     {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF}});
}

bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

bool isBidiControl(char32_t c) { return inAny(c, {{0x202A, 0x202E}, {0x2066, 0x2069}}); }

// The code points of UTF-8 text; nothing when it is not UTF-8 (overlong forms and encoded
// surrogates included).
std::optional<std::u32string> codePoints(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = byte < 0x80                    ? 1
                                   : byte >= 0xF0 && byte <= 0xF4 ? 4
                                   : byte >= 0xE0 && byte <= 0xEF ? 3
                                   : byte >= 0xC2 && byte <= 0xDF ? 2
                                                                  : 0;
        if (length == 0 || i + length > text.size()) return std::nullopt;
        char32_t c = length == 1 ? byte : byte & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return std::nullopt;
        out.push_back(c);
        i += length;
    }
    return out;
}

std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string codeOf(char32_t c) {
    char text[12];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

// The Debian package of fonts that draws a character: the CJK fonts for Chinese, Japanese
// and Korean, the emoji font for pictographs, Noto's core fonts for the other scripts.
const char* fontPackageFor(char32_t c) {
    if (inAny(c, {{0x1100, 0x11FF},
                  {0x2E80, 0x2FDF},
                  {0x3000, 0x303F},
                  {0x3040, 0x31FF},
                  {0x3200, 0x9FFF},
                  {0xA960, 0xA97F},
                  {0xAC00, 0xD7FF},
                  {0xF900, 0xFAFF},
                  {0xFE30, 0xFE4F},
                  {0xFF00, 0xFFEF},
                  {0x20000, 0x3FFFF}}))
        return "fonts-noto-cjk";
    if (inAny(c, {{0x2600, 0x27BF}, {0x1F000, 0x1FAFF}})) return "fonts-noto-color-emoji";
    return "fonts-noto-core";
}

}  // namespace

std::optional<std::string> nameTextProblem(std::string_view name, std::size_t characters,
                                           Blank blank) {
    if (name.empty()) {
        if (blank == Blank::Allowed) return std::nullopt;
        return std::string("needs a name");
    }
    const auto code = codePoints(name);
    // Decoded elsewhere first, bytes that are not UTF-8 arrive as U+FFFD.
    if (!code || code->find(U'\uFFFD') != std::u32string::npos)
        return std::string("needs a name in UTF-8");
    for (const char32_t c : *code) {
        if (isControl(c)) return std::string("takes a name without control characters");
        if (isBidiControl(c))
            return "takes a name without bidirectional controls, such as " + codeOf(c);
    }
    if (characters > kLongestName)
        return "takes a name of up to " + std::to_string(kLongestName) + " characters, not " +
               std::to_string(characters);
    if (blank == Blank::Refused && std::all_of(code->begin(), code->end(), isInvisible))
        return std::string(
            "needs a name with a visible character, not only spaces or invisible ones");
    return std::nullopt;
}

std::optional<std::string> nameFontProblem(const std::string& name, Graphics& graphics,
                                           const Font& font) {
    const std::u32string missing = graphics.undrawable(name, font);
    if (missing.empty()) return std::nullopt;
    std::string message = "takes a name the fonts here can draw; none draws " +
                          utf8(missing.front()) + " (" + codeOf(missing.front()) + ")";
    if (missing.size() > 1)
        message += " and " + std::to_string(missing.size() - 1) + " other character" +
                   (missing.size() > 2 ? "s" : "");
    return message + "; the package " + fontPackageFor(missing.front()) + " has fonts that do";
}

}  // namespace xmascard
