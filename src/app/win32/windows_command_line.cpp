// SPDX-License-Identifier: MIT
#include "app/win32/windows_command_line.h"

#include <algorithm>
#include <optional>

namespace xmascard {
namespace {

constexpr std::size_t kLongestName = 40;

// The code points of UTF-8 text; nothing when it is not UTF-8.
std::optional<std::vector<char32_t>> codePoints(const std::string& text) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int length = byte < 0x80    ? 1
                           : byte >= 0xF0 ? 4
                           : byte >= 0xE0 ? 3
                           : byte >= 0xC0 ? 2
                                          : 0;
        if (length == 0 || i + length > text.size()) return std::nullopt;
        char32_t c = length == 1 ? byte : byte & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        out.push_back(c);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::optional<std::string> nameProblem(const std::string& option, const std::string& value,
                                       Graphics& graphics) {
    if (value.empty()) return option + " needs a name";
    const auto characters = codePoints(value);
    // Windows hands arguments over as UTF-16; a lone surrogate arrives as U+FFFD.
    if (!characters ||
        std::find(characters->begin(), characters->end(), 0xFFFD) != characters->end())
        return option + " needs a name in UTF-8";
    for (const char32_t c : *characters)
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029)
            return option + " takes a name without control characters";
    const std::size_t count = graphics.characterEnds(value).size();
    if (count > kLongestName)
        return option + " takes a name of up to " + std::to_string(kLongestName) +
               " characters, not " + std::to_string(count);
    return std::nullopt;
}

// The message as one line: a control character in what the user gave would break it.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    return text;
}

}  // namespace

std::variant<WindowsCommandLine, WindowsUsageError> parseWindowsCommandLine(
    const std::vector<std::string>& arguments, Graphics& graphics) {
    WindowsCommandLine line;
    std::optional<std::string> problem;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h" || argument == "/?")
            return WindowsCommandLine{WindowsCommandLine::Action::ShowHelp, {}};
        if (argument == "--version") {
            line.action = WindowsCommandLine::Action::ShowVersion;
            continue;
        }
        if (problem) continue;  // the first problem is told, unless help is asked for
        const std::size_t equals = argument.find('=');
        const std::string option = argument.substr(0, equals);
        if (option != "--to" && option != "--from") {
            problem = "unknown option " + argument + " (try --help)";
            continue;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        }
        if ((problem = nameProblem(option, value, graphics))) continue;
        (option == "--to" ? line.names.to : line.names.from) = value;
    }
    if (line.action == WindowsCommandLine::Action::ShowVersion)
        return WindowsCommandLine{line.action, {}};
    if (problem) return WindowsUsageError{oneLine(*problem)};
    return line;
}

}  // namespace xmascard
