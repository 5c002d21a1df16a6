// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "windows/card_names.h"

namespace xmascard {

class Graphics;

// The pairs of a link's fragment ("to=Anna&from=Tom", with or without its '#'), percent-
// decoded; '+' is a space, as a form would send it. A '%' without two hex digits stays.
std::vector<std::pair<std::string, std::string>> fragmentPairs(std::string_view fragment);

// The names a link carries, each under the command line's rules for --to and --from and
// drawable by `graphics`: a name that breaks them, or a key that is no name, is left out
// with one line on `err`, and the card plays with the rest.
CardNames namesFromLink(std::string_view fragment, Graphics& graphics, std::FILE* err);

}  // namespace xmascard
