// SPDX-License-Identifier: MIT
// Measuring text for the model's fitting of names: GDI's extents in the layout's fonts, and
// Uniscribe's character stops for where a line may be cut.
// clang-format off
#include "system/win32/win32_windows.h"
#include <usp10.h>
// clang-format on

#include "backends/win32/win32_gdi.h"
#include "backends/win32/win32_graphics.h"
#include "system/win32/win32_text.h"

namespace xmascard {

namespace {

// The bytes one UTF-16 code unit (or a surrogate pair, counted at its high half) takes in
// UTF-8.
std::size_t utf8Bytes(const std::wstring& text, std::size_t i) {
    const wchar_t unit = text[i];
    if (unit >= 0xDC00 && unit < 0xE000) return 0;  // the low half of a pair
    if (unit >= 0xD800 && unit < 0xDC00) return 4;
    if (unit < 0x80) return 1;
    return unit < 0x800 ? 2 : 3;
}

// Where each user-perceived character starts, by Uniscribe (a letter with its accents, an
// emoji sequence); a code point a character where Uniscribe cannot tell.
std::vector<bool> characterStops(const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    std::vector<bool> stops(text.size(), true);
    std::vector<SCRIPT_ITEM> items(text.size() + 1);
    int count = 0;
    if (FAILED(ScriptItemize(text.c_str(), length, static_cast<int>(items.size()), nullptr, nullptr,
                             items.data(), &count))) {
        for (std::size_t i = 0; i < text.size(); ++i) stops[i] = utf8Bytes(text, i) != 0;
        return stops;
    }
    for (int item = 0; item < count; ++item) {
        const int from = items[item].iCharPos;
        const int to = items[item + 1].iCharPos;
        std::vector<SCRIPT_LOGATTR> attributes(static_cast<std::size_t>(to - from));
        if (FAILED(ScriptBreak(text.c_str() + from, to - from, &items[item].a, attributes.data())))
            continue;
        for (int i = from; i < to; ++i)
            stops[i] = attributes[i - from].fCharStop && utf8Bytes(text, i) != 0;
    }
    return stops;
}

}  // namespace

float Win32Graphics::textWidth(const std::string& text, const Font& font) {
    const std::wstring wide = widen(text);
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return 0.0f;
    const HGDIOBJ previous = SelectObject(dc, fontFor(font));
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return static_cast<float>(size.cx);
}

std::vector<std::size_t> Win32Graphics::characterEnds(const std::string& text) {
    const std::wstring wide = widen(text);
    const std::vector<bool> stops = characterStops(wide);
    std::vector<std::size_t> ends;
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (i > 0 && stops[i]) ends.push_back(bytes);
        bytes += utf8Bytes(wide, i);
    }
    if (!wide.empty()) ends.push_back(bytes);
    return ends;
}

}  // namespace xmascard
