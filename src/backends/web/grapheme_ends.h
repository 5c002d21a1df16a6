// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace xmascard {

// The byte offsets in UTF-8 text at which each user-perceived character ends, as the
// JavaScript engine's Intl.Segmenter tells them (in a browser and under node alike); one
// code point a character where the engine has none.
std::vector<std::size_t> graphemeEnds(const std::string& text);

}  // namespace xmascard
