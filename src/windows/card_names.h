// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "platform/font.h"
#include "platform/graphics.h"

namespace xmascard {

// Who the card is for and who sends it, as the user gave them: UTF-8 text of a line each.
struct CardNames {
    std::optional<std::string> to;
    std::optional<std::string> from;

    bool any() const { return to.has_value() || from.has_value(); }
    friend bool operator==(const CardNames&, const CardNames&) = default;
};

// The two names' places on the card's inside page.
enum class CardName { Receiver, Sender };

// The type a name is written in, before it is set smaller to fit.
Font cardNameFont(CardName which);

// Whether the fonts on the system draw the names in the card's type (see nameFontProblem):
// what no font draws, after the option that gave it ("--to takes a name the fonts here can
// draw; ..."), or nothing.
std::optional<std::string> cardNamesFontProblem(const CardNames& names, Graphics& graphics);

}  // namespace xmascard
