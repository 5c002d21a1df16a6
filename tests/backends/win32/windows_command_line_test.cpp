// SPDX-License-Identifier: MIT
// The Windows card reads its names and options as the Linux card does, counting the
// characters of a name as Windows' own text shaping does.

#include "app/win32/windows_command_line.h"

#include <gtest/gtest.h>

#include "backends/win32/win32_graphics.h"

namespace xmascard {
namespace {

TEST(WindowsCommandLine, ReadsNamesAndRefusesWhatItCannotFollow) {
    using Action = WindowsCommandLine::Action;
    const std::string accented = "e\xCC\x81";  // e and a combining acute: one character
    std::string fortyAccented;
    for (int i = 0; i < 40; ++i) fortyAccented += accented;
    const struct {
        std::vector<std::string> arguments;
        Action action;
        CardNames names;
        std::string error;  // or none
    } rows[] = {
        {{}, Action::PlayCard, {}, ""},
        {{"--to", "Anna", "--from=Bob"}, Action::PlayCard, {"Anna", "Bob"}, ""},
        {{"--from", "Zo\xC3\xAB"}, Action::PlayCard, {std::nullopt, "Zo\xC3\xAB"}, ""},
        {{"--to", fortyAccented}, Action::PlayCard, {fortyAccented, std::nullopt}, ""},
        {{"--to", std::string(41, 'x')},
         Action::PlayCard,
         {},
         "--to takes a name of up to 40 characters, not 41"},
        {{"--to"}, Action::PlayCard, {}, "--to needs a name"},
        {{"--from="}, Action::PlayCard, {}, "--from needs a name"},
        {{"--to", "Anna\nBob"},
         Action::PlayCard,
         {},
         "--to takes a name without control characters"},
        {{"--to", "\xC2\x85"},
         Action::PlayCard,
         {},
         "--to takes a name without control characters"},
        {{"--to", "\xEF\xBF\xBD"}, Action::PlayCard, {}, "--to needs a name in UTF-8"},
        {{"--to", "\xFF"}, Action::PlayCard, {}, "--to needs a name in UTF-8"},
        {{"--frob\x1b[2J"}, Action::PlayCard, {}, "unknown option --frob\\e[2J (try --help)"},
        {{"--to", "Anna\xE2\x80\xAEgnp.exe"},
         Action::PlayCard,
         {},
         "--to takes a name without bidirectional controls, such as U+202E"},
        {{"--from", " \xE2\x80\x8B "},
         Action::PlayCard,
         {},
         "--from needs a name with a visible character, not only spaces or invisible ones"},
        {{"--frob", "--help"}, Action::ShowHelp, {}, ""},
        {{"/?"}, Action::ShowHelp, {}, ""},
        {{"--to", "Anna", "--version"}, Action::ShowVersion, {}, ""},
    };
    Win32Graphics graphics;
    for (const auto& row : rows) {
        std::string joined;
        for (const std::string& a : row.arguments) joined += a + " ";
        SCOPED_TRACE(joined);
        const auto line = parseWindowsCommandLine(row.arguments, graphics);
        if (!row.error.empty()) {
            ASSERT_TRUE(std::holds_alternative<WindowsUsageError>(line));
            EXPECT_EQ(std::get<WindowsUsageError>(line).message, row.error);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<WindowsCommandLine>(line))
            << std::get<WindowsUsageError>(line).message;
        EXPECT_EQ(std::get<WindowsCommandLine>(line).action, row.action);
        EXPECT_EQ(std::get<WindowsCommandLine>(line).names, row.names);
    }
}

// Names are measured in the layout's fonts, wider for more and wider letters.
TEST(WindowsCommandLine, TextIsMeasuredInTheLayoutsFonts) {
    Win32Graphics graphics;
    const Font arial{"Arial", 12.0f};
    const float narrow = graphics.textWidth("iii", arial);
    const float wide = graphics.textWidth("WWW", arial);
    EXPECT_GT(narrow, 0.0f);
    EXPECT_GT(wide, 2 * narrow);
    EXPECT_GT(graphics.textWidth("WWW", Font{"Arial", 24.0f}), 1.5f * wide);
    EXPECT_EQ(graphics.textWidth("", arial), 0.0f);
    EXPECT_EQ(graphics.characterEnds("a\xC3\xA9"
                                     "e\xCC\x81"),
              (std::vector<std::size_t>{1, 3, 6}));
}

}  // namespace
}  // namespace xmascard
