// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <map>
#include <optional>
#include <string_view>

#include "build_info.h"
#include "platform/graphics.h"
#include "platform/io/shown_text.h"
#include "platform/name_rule.h"

namespace xmascard {

namespace {

using Problem = std::optional<std::string>;  // what is wrong with an option's value, if anything

// Whether an option means anything without --record; and whether the card records at all.
enum class Scope { Any, Recording, Recorder };

// One option of the command line. Options without a value name are flags; `apply` stores a
// value (or the flag) in the command line and says what is wrong with it, if anything,
// counting a name's characters with the graphics.
struct Option {
    const char* name;
    char shortName;         // or 0
    const char* valueName;  // nullptr for a flag
    const char* help;       // lines after the first are indented under it
    Problem (*apply)(CommandLine&, const std::string& value, Graphics&);
    Scope scope = Scope::Any;

    bool offeredBy(const Abilities& abilities) const {
        return scope == Scope::Any || abilities.records;
    }
};

// Reads a whole decimal number; anything else, and a number past `int`, is nothing.
std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

Problem setRecord(CommandLine& line, const std::string& value, Graphics&) {
    if (value.empty()) return "--record needs a video file or a directory";
    line.action = CommandLine::Action::Record;
    line.record.directory = value;
    return std::nullopt;
}

Problem setFps(CommandLine& line, const std::string& value, Graphics&) {
    const auto fps = wholeNumber(value);
    if (!fps || *fps < 1 || *fps > 120)
        return "--fps needs a whole number from 1 to 120, not '" + value + "'";
    line.record.fps = *fps;
    return std::nullopt;
}

Problem setScreen(CommandLine& line, const std::string& value, Graphics&) {
    const std::string_view text(value);
    const auto cross = text.find('x');
    const auto width = wholeNumber(text.substr(0, cross));
    const auto height =
        cross == std::string_view::npos ? std::nullopt : wholeNumber(text.substr(cross + 1));
    if (!width || !height || *width < 320 || *height < 240 || *width > 7680 || *height > 4320)
        return "--screen needs WIDTHxHEIGHT from 320x240 to 7680x4320, not '" + value + "'";
    line.record.screenWidth = *width;
    line.record.screenHeight = *height;
    return std::nullopt;
}

Problem setSilent(CommandLine& line, const std::string&, Graphics&) {
    line.silent = true;
    return std::nullopt;
}

// What is wrong with a name, if anything (see name_rule.h), its characters counted as a
// reader counts them. Whether fonts draw it is asked once the window system is there.
Problem nameProblem(const char* option, const std::string& value, Graphics& graphics) {
    if (auto problem = nameTextProblem(value, graphics.characterEnds(value).size(), Blank::Refused))
        return std::string("--") + option + " " + *problem;
    return std::nullopt;
}

Problem setTo(CommandLine& line, const std::string& value, Graphics& graphics) {
    if (auto problem = nameProblem("to", value, graphics)) return problem;
    line.names.to = value;
    return std::nullopt;
}

Problem setFrom(CommandLine& line, const std::string& value, Graphics& graphics) {
    if (auto problem = nameProblem("from", value, graphics)) return problem;
    line.names.from = value;
    return std::nullopt;
}

Problem showHelp(CommandLine& line, const std::string&, Graphics&) {
    line.action = CommandLine::Action::ShowHelp;
    return std::nullopt;
}

Problem showVersion(CommandLine& line, const std::string&, Graphics&) {
    line.action = CommandLine::Action::ShowVersion;
    return std::nullopt;
}

// The options in the order the help lists them. --help and --version come first: either one
// is all the program does, whatever else the line asks.
constexpr Option kOptions[] = {
    {"help", 'h', nullptr, "show this help and exit", &showHelp},
    {"version", 0, nullptr, "show the version and exit", &showVersion},
    {"record", 0, "FILE|DIR",
     "play the show without a window, as fast as possible, into\n"
     "one video with its sound (FILE ends in .mp4, .webm or .mkv),\n"
     "or into PNG frames of the screen and DIR/soundtrack.wav",
     &setRecord, Scope::Recorder},
    {"to", 0, "NAME",
     "the receiver's name, written inside the card, which then\n"
     "opens at the end of the show (up to 40 characters)",
     &setTo},
    {"from", 0, "NAME", "the sender's name, written inside the card likewise", &setFrom},
    {"fps", 0, "N", "frames per second of a recording (default 25)", &setFps,
     Scope::Recording},
    {"screen", 0, "WxH", "screen size of a recording (default 1280x800)", &setScreen,
     Scope::Recording},
    {"silent", 0, nullptr,
     "play without sound, opening no sound device; a recording\n"
     "then has a silent soundtrack on purpose (one whose sound\n"
     "would lack the music or the bells fails otherwise)",
     &setSilent},
};

std::string helpText(const Abilities& abilities) {
    std::string text =
        "Usage: xmascard [OPTION]...\n"
        "An animated Christmas and New Year greeting card. Started without options it\n"
        "plays its show of a little over a minute in the middle of the screen and ends.\n"
        "\n";
    constexpr std::size_t kHelpColumn = 21;
    for (const Option& option : kOptions) {
        if (!option.offeredBy(abilities)) continue;
        std::string head = option.shortName ? std::string("  -") + option.shortName + ", --"
                                            : std::string("  --");
        head += option.name;
        if (option.valueName) head += std::string(" ") + option.valueName;
        head.resize(std::max(head.size() + 1, kHelpColumn), ' ');
        std::string_view help(option.help);
        for (std::size_t end; (end = help.find('\n')) != std::string_view::npos;) {
            text += head + std::string(help.substr(0, end)) + "\n";
            head.assign(kHelpColumn, ' ');
            help.remove_prefix(end + 1);
        }
        text += head + std::string(help) + "\n";
    }
    text +=
        "\n"
        "While it runs: drag the cherub or the card with the left mouse button; click the\n"
        "blue question mark on the presents for a message, and the plug to end the card\n"
        "at once.\n";
    return text;
}

std::string versionText() {
    return "xmascard " XMASCARD_VERSION
           "\n"
           "Copyright (C) " XMASCARD_COPYRIGHT
           "\n"
           "The program is free software under the MIT licence; its pictures and sounds are\n"
           "dedicated to the public domain (CC0-1.0). There is NO WARRANTY.\n";
}

// The options of a command line as written, before their values are read: each option's
// values in order of appearance, and what was given besides them.
struct Scanned {
    std::map<const Option*, std::vector<std::string>> values;
    std::vector<std::string> positional;
};

const Option* findOption(std::string_view name, char shortName, const Abilities& abilities) {
    for (const Option& option : kOptions)
        if (option.offeredBy(abilities) &&
            (shortName ? option.shortName == shortName : name == option.name))
            return &option;
    return nullptr;
}

std::variant<Scanned, UsageError> scan(const std::vector<std::string>& arguments,
                                       const Abilities& abilities) {
    Scanned scanned;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnd || argument == "-" || !argument.starts_with('-')) {
            if (argument == "/?" && !optionsEnd)
                scanned.values[findOption("help", 0, abilities)].emplace_back();
            else
                scanned.positional.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnd = true;
            continue;
        }
        if (!argument.starts_with("--")) {  // short flags, perhaps several in one
            for (const char letter : std::string_view(argument).substr(1)) {
                const Option* option = findOption({}, letter, abilities);
                if (!option) return UsageError{"unknown option '-" + std::string(1, letter) + "'"};
                scanned.values[option].emplace_back();
            }
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(2, equals == std::string::npos ? equals : equals - 2);
        const Option* option = findOption(name, 0, abilities);
        if (!option) return UsageError{"unknown option '--" + name + "'"};
        if (!option->valueName) {
            if (equals != std::string::npos)
                return UsageError{"unexpected value after '--" + name + "'"};
            scanned.values[option].emplace_back();
        } else if (equals != std::string::npos) {
            scanned.values[option].push_back(argument.substr(equals + 1));
        } else if (i + 1 < arguments.size()) {
            scanned.values[option].push_back(arguments[++i]);
        } else {
            return UsageError{"missing value after '--" + name + "'"};
        }
    }
    return scanned;
}

}  // namespace

std::variant<CommandLine, UsageError> parseCommandLine(const std::vector<std::string>& arguments,
                                                       const Abilities& abilities,
                                                       Graphics& graphics) {
    auto scanned = scan(arguments, abilities);
    if (auto* error = std::get_if<UsageError>(&scanned)) return *error;
    const Scanned& given = std::get<Scanned>(scanned);
    if (!given.positional.empty())
        return UsageError{"unexpected argument '" + given.positional.front() + "'"};

    // The options are read in the order the help lists them, each one's last value.
    CommandLine line;
    for (const Option& option : kOptions) {
        const auto it = given.values.find(&option);
        if (it == given.values.end()) continue;
        if (auto problem = option.apply(line, it->second.back(), graphics)) return UsageError{*problem};
        if (line.action == CommandLine::Action::ShowHelp ||
            line.action == CommandLine::Action::ShowVersion)
            return line;
    }
    if (line.action == CommandLine::Action::Record) {
        line.record.silent = line.silent;
        return line;
    }
    for (const Option& option : kOptions)
        if (option.scope == Scope::Recording && given.values.contains(&option))
            return UsageError{std::string("--") + option.name +
                              " shapes a recording: it needs --record"};
    return line;
}

std::variant<CommandLine, int> readCommandLine(const std::vector<std::string>& arguments,
                                               const Abilities& abilities, Graphics& graphics,
                                               std::FILE* out, std::FILE* err) {
    auto parsed = parseCommandLine(arguments, abilities, graphics);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        // Control characters in a value the user gave would break the line or drive the
        // terminal.
        std::fprintf(err, "xmascard: %s (try 'xmascard --help')\n",
                     io::shown(error->message).c_str());
        return 2;
    }
    const CommandLine& line = std::get<CommandLine>(parsed);
    const bool help = line.action == CommandLine::Action::ShowHelp;
    if (!help && line.action != CommandLine::Action::ShowVersion) return line;

    const std::string text = help ? helpText(abilities) : versionText();
    errno = 0;
    if (std::fputs(text.c_str(), out) >= 0 && std::fflush(out) == 0 && !std::ferror(out)) return 0;
    const int error = errno ? errno : EIO;
    std::fprintf(err, "xmascard: cannot write the %s: %s\n", help ? "help" : "version",
                 std::strerror(error));
    return 1;
}

}  // namespace xmascard
