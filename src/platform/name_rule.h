// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/font.h"

namespace xmascard {

class Graphics;

// The rule for a name written inside the card, given on the command line or typed into the
// open card. Its messages follow what the name was given to: "--to " + "takes a name ...".

// The longest name, in characters as a reader counts them (a letter with its accents, an
// emoji sequence).
constexpr std::size_t kLongestName = 40;

// A name given on the command line must show something; one being typed may be empty or
// blank on its way.
enum class Blank { Refused, Allowed };

// What is wrong with the text of a name, if anything: it is not UTF-8; it holds a control
// character, or a bidirectional control (U+202A to U+202E, U+2066 to U+2069), which would
// show it in another order than it is written ("Anna\u202Egnp.exe" shows as
// "Annaexe.png"); it has more than kLongestName characters (`characters`, counted by the
// backend's text metrics: Graphics::characterEnds); or (unless allowed) nothing visible,
// only spaces and invisible characters.
std::optional<std::string> nameTextProblem(std::string_view name, std::size_t characters,
                                           Blank blank);

// What is wrong with a name that is drawn in `font`, if anything: characters that no font
// on the system draws (as `graphics` answers, with the system's font fallback), named with
// the Debian package of fonts that would draw them.
std::optional<std::string> nameFontProblem(const std::string& name, Graphics& graphics,
                                           const Font& font);

}  // namespace xmascard
