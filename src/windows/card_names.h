// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace xmascard {

// Who the card is for and who sends it, as the user gave them: UTF-8 text of a line each.
struct CardNames {
    std::optional<std::string> to;
    std::optional<std::string> from;

    bool any() const { return to.has_value() || from.has_value(); }
    friend bool operator==(const CardNames&, const CardNames&) = default;
};

}  // namespace xmascard
