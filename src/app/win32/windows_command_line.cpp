// SPDX-License-Identifier: MIT
#include "app/win32/windows_command_line.h"

#include <optional>

#include "platform/io/shown_text.h"
#include "platform/name_rule.h"

namespace xmascard {
namespace {

std::optional<std::string> nameProblem(const std::string& option, const std::string& value,
                                       Graphics& graphics) {
    if (auto problem = nameTextProblem(value, graphics.characterEnds(value).size(), Blank::Refused))
        return option + " " + *problem;
    return std::nullopt;
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
    if (!problem) problem = cardNamesFontProblem(line.names, graphics);
    // A control character in what the user gave would break the line.
    if (problem) return WindowsUsageError{io::shown(*problem)};
    return line;
}

}  // namespace xmascard
