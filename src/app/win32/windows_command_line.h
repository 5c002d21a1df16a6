// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "platform/graphics.h"
#include "windows/card_names.h"

namespace xmascard {

// What the Windows card was asked to do: play (with the names inside the card, if any),
// or show its help or version.
struct WindowsCommandLine {
    enum class Action { PlayCard, ShowHelp, ShowVersion };
    Action action = Action::PlayCard;
    CardNames names;
};

// A command line the card cannot follow: one line, without the program's name in front.
struct WindowsUsageError {
    std::string message;
};

// Reads the arguments after the program's name, as the Linux card does: "--to NAME",
// "--to=NAME", "--from" likewise, "--help" ("-h", "/?") and "--version", which win over
// anything else. A name is 1 to 40 characters as a reader counts them (`graphics` tells
// where they end), of one line without control characters.
std::variant<WindowsCommandLine, WindowsUsageError> parseWindowsCommandLine(
    const std::vector<std::string>& arguments, Graphics& graphics);

}  // namespace xmascard
