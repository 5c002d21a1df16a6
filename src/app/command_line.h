// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "app/record_options.h"
#include "windows/card_names.h"

namespace xmascard {

class Graphics;

// What the program was asked to do, and with which settings.
struct CommandLine {
    enum class Action { PlayCard, Record, ShowHelp, ShowVersion };
    Action action = Action::PlayCard;
    RecordOptions record;
    // No sound at all: no sound device opened, and a recording's soundtrack silent.
    bool silent = false;
    // The names inside the card, on the screen and in a recording alike.
    CardNames names;
};

// What the card of this system can do besides playing: the options it offers follow.
struct Abilities {
    bool records = false;  // --record and the options that shape a recording
};

// A command line the program cannot follow. The message is one line, without the program's
// name in front.
struct UsageError {
    std::string message;
};

// Reads the arguments that follow the program's name (UTF-8), in GNU style: "--opt value"
// and "--opt=value", "-h" ("/?" too, as Windows users type it). Anything unknown, a missing
// or bad value, or a setting that has no effect is a usage error; nothing is written
// anywhere. A name's characters are counted as `graphics` draws them (a letter with its
// accents is one); whether a font draws them is asked when the card starts.
std::variant<CommandLine, UsageError> parseCommandLine(const std::vector<std::string>& arguments,
                                                       const Abilities& abilities,
                                                       Graphics& graphics);

// Reads the command line and does what needs no window: on a usage error it says so in one
// line on `err` and gives status 2; after --help or --version it writes the text to `out` and
// gives status 0, or 1 with a line on `err` when `out` cannot be written. Otherwise it gives
// the command line to run.
std::variant<CommandLine, int> readCommandLine(const std::vector<std::string>& arguments,
                                               const Abilities& abilities, Graphics& graphics,
                                               std::FILE* out, std::FILE* err);

}  // namespace xmascard
