// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "build_info.h"
#include "support/test_graphics.h"

namespace xmascard {
namespace {

using Action = CommandLine::Action;
constexpr Abilities kRecorder{.records = true};
constexpr int kRuns = -1;  // the command line is followed: no exit status

enum class Stdout { File, Full };

struct Row {
    const char* name;
    std::vector<std::string> arguments;
    int status;            // kRuns, or the exit status
    std::string err;       // all of standard error
    std::string outStart;  // the beginning of standard output
    std::string outEnd;    // the end of standard output
    Action action = Action::PlayCard;
    RecordOptions record = {};
    Stdout out = Stdout::File;
    CardNames names = {};
    bool silent = false;
};

using Args = std::vector<std::string>;

// Rows whose command line is followed, rows that print and exit, rows that fail.
Row plays(const char* name, Args arguments) {
    return {name, std::move(arguments), kRuns, "", "", ""};
}

Row records(const char* name, Args arguments, std::string directory, int fps = 25, int width = 1280,
            int height = 800) {
    Row row = plays(name, std::move(arguments));
    row.action = Action::Record;
    row.record = {std::move(directory), fps, width, height};
    return row;
}

Row named(Row row, std::optional<std::string> to, std::optional<std::string> from) {
    row.names = {std::move(to), std::move(from)};
    return row;
}

Row silent(Row row) {
    row.silent = true;
    return row;
}

Row prints(const char* name, Args arguments, std::string start, std::string end) {
    return {name, std::move(arguments), 0, "", std::move(start), std::move(end)};
}

Row cannotPrint(const char* name, Args arguments, std::string err) {
    Row row{name, std::move(arguments), 1, std::move(err), "", ""};
    row.out = Stdout::Full;
    return row;
}

Row refuses(const char* name, Args arguments, const std::string& message) {
    return {name, std::move(arguments),
            2,    "xmascard: " + message + " (try 'xmascard --help')\n",
            "",   ""};
}

std::string badScreen(const std::string& value) {
    return "--screen needs WIDTHxHEIGHT from 320x240 to 7680x4320, not '" + value + "'";
}

std::string badFps(const std::string& value) {
    return "--fps needs a whole number from 1 to 120, not '" + value + "'";
}

std::string repeated(const std::string& character, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += character;
    return text;
}

// Names are counted in characters as a reader sees them, whatever their bytes.
const std::string kFamily = "\U0001F468\u200D\U0001F469\u200D\U0001F467";  // one emoji
// Whether the backend's text shaping counts an emoji sequence as one character: Qt's does;
// Uniscribe (under Wine at least) counts its people one by one.
#ifdef _WIN32
constexpr bool kEmojiSequencesCountOnce = false;
#else
constexpr bool kEmojiSequencesCountOnce = true;
#endif
const std::string kDecomposedE = "e\u0301";  // e and an accent
std::string tooLong(const char* option, int count) {
    return std::string("--") + option + " takes a name of up to 40 characters, not " +
           std::to_string(count);
}
std::string controlIn(const char* option) {
    return std::string("--") + option + " takes a name without control characters";
}
std::string blankName(const char* option) {
    return std::string("--") + option +
           " needs a name with a visible character, not only spaces or invisible ones";
}
std::string notUtf8(const char* option) {
    return std::string("--") + option + " needs a name in UTF-8";
}

const std::vector<Row>& rows() {
    const std::string usage = "Usage: xmascard [OPTION]...\n";
    const std::string endOfHelp = "the plug to end the card\nat once.\n";
    static const std::vector<Row> table = {
        plays("no options play the card", {}),
        records("a recording with its defaults", {"--record", "/tmp/card"}, "/tmp/card"),
        records("values after '='", {"--record=/tmp/card", "--fps=30", "--screen=1920x1080"},
                "/tmp/card", 30, 1920, 1080),
        records("options in any order", {"--screen", "320x240", "--fps", "120", "--record", "d"},
                "d", 120, 320, 240),
        records("the largest screen", {"--record", "d", "--screen", "7680x4320", "--fps", "1"}, "d",
                1, 7680, 4320),
        records("a directory that looks like an option", {"--record=--fps"}, "--fps"),
        silent(plays("the card without sound", {"--silent"})),
        silent(records("a silent recording", {"--silent", "--record", "d"}, "d")),

        prints("help", {"--help"}, usage, endOfHelp),
        prints("help, short", {"-h"}, usage, endOfHelp),
        prints("help wins over the rest", {"--record", "d", "--help"}, usage, endOfHelp),
        prints("help as Windows users ask for it", {"/?"}, usage, endOfHelp),
        prints("help among short flags", {"-hh"}, usage, endOfHelp),
        prints("version", {"--version"}, "xmascard 1.00\nCopyright (C) ",
               "under the MIT licence; its pictures and sounds are\n"
               "dedicated to the public domain (CC0-1.0). There is NO WARRANTY.\n"),
        cannotPrint("help into a full disk", {"--help"},
                    "xmascard: cannot write the help: No space left on device\n"),
        cannotPrint("version into a full disk", {"--version"},
                    "xmascard: cannot write the version: No space left on device\n"),

        named(plays("both names", {"--to", "Anna", "--from", "Tom"}), "Anna", "Tom"),
        named(plays("names after '='", {"--from=Tom Smith", "--to=Zoë Ångström"}), "Zoë Ångström",
              "Tom Smith"),
        named(plays("the receiver alone", {"--to", "Anna"}), "Anna", std::nullopt),
        named(plays("the sender alone", {"--from", "Tom"}), std::nullopt, "Tom"),
        named(records("names in a recording", {"--record", "a.mp4", "--to", "Anna"}, "a.mp4"),
              "Anna", std::nullopt),
        named(plays("40 letters", {"--to", repeated("a", 40)}), repeated("a", 40), std::nullopt),
        named(plays("40 letters of two bytes", {"--to", repeated("ä", 40)}), repeated("ä", 40),
              std::nullopt),
        named(plays("40 letters with combining accents", {"--from", repeated(kDecomposedE, 40)}),
              std::nullopt, repeated(kDecomposedE, 40)),
        named(plays("40 emoji sequences",
                    {"--to", repeated(kEmojiSequencesCountOnce ? kFamily : "a", 40)}),
              repeated(kEmojiSequencesCountOnce ? kFamily : "a", 40), std::nullopt),
        named(plays("a name that looks like an option", {"--to=--from"}), "--from", std::nullopt),
        refuses("41 letters", {"--to", repeated("a", 41)}, tooLong("to", 41)),
        refuses("41 letters of two bytes", {"--from", repeated("ä", 41)}, tooLong("from", 41)),
        refuses("41 emoji sequences",
                {"--to", repeated(kEmojiSequencesCountOnce ? kFamily : "a", 41)},
                tooLong("to", 41)),
        refuses("a tab in a name", {"--to", "Anna\tMaria"}, controlIn("to")),
        refuses("a newline in a name", {"--from", "Tom\n"}, controlIn("from")),
        refuses("an escape sequence in a name", {"--to", "\x1b[2JAnna"}, controlIn("to")),
        refuses("a delete in a name", {"--to", "An\x7fna"}, controlIn("to")),
        refuses("a C1 control in a name", {"--to", "An\xc2\x85na"}, controlIn("to")),
        refuses("a line separator in a name", {"--from", "Tom\u2028Smith"}, controlIn("from")),
        refuses("Latin-1 bytes in a name", {"--to", "Zo\xeb"}, notUtf8("to")),
        refuses("an overlong encoding in a name", {"--to", "\xc0\xaf"}, notUtf8("to")),
        refuses("an encoded surrogate in a name", {"--from", "\xed\xa0\x80"}, notUtf8("from")),
        refuses("an empty name", {"--to="}, "--to needs a name"),
        refuses("a right-to-left override in a name", {"--to", "Anna\u202egnp.exe"},
                "--to takes a name without bidirectional controls, such as U+202E"),
        refuses("an isolate in a name", {"--from", "\u2067Tom\u2069"},
                "--from takes a name without bidirectional controls, such as U+2067"),
        refuses("a name of spaces", {"--to", "   "}, blankName("to")),
        refuses("a name of invisible characters",
                {"--from", "\u200b\u3000\u00a0\u2060\ufe0f\u3164\u2800"}, blankName("from")),
        named(plays("a name with an invisible character among visible ones",
                    {"--to", "An\u200bna \u2603"}),
              "An\u200bna \u2603", std::nullopt),
        refuses("a missing name", {"--from"}, "missing value after '--from'"),

        refuses("unknown long option", {"--frobnicate"}, "unknown option '--frobnicate'"),
        refuses("unknown short option", {"-x"}, "unknown option '-x'"),
        refuses("unknown option beside help", {"--help", "--frobnicate"},
                "unknown option '--frobnicate'"),
        refuses("Qt's own option", {"-platform", "offscreen"}, "unknown option '-p'"),
        refuses("a stray argument", {"card"}, "unexpected argument 'card'"),
        refuses("an option after the end of options", {"--", "--help"},
                "unexpected argument '--help'"),
        refuses("a value for a flag", {"--help=yes"}, "unexpected value after '--help'"),
        refuses("missing directory", {"--record"}, "missing value after '--record'"),
        refuses("empty directory", {"--record="}, "--record needs a video file or a directory"),
        refuses("missing rate", {"--record", "d", "--fps"}, "missing value after '--fps'"),
        refuses("rate zero", {"--record", "d", "--fps", "0"}, badFps("0")),
        refuses("rate too high", {"--record", "d", "--fps=121"}, badFps("121")),
        refuses("rate with a fraction", {"--record", "d", "--fps", "2.5"}, badFps("2.5")),
        refuses("rate with a sign", {"--record", "d", "--fps", "+25"}, badFps("+25")),
        refuses("rate empty", {"--record", "d", "--fps="}, badFps("")),
        refuses("a newline in a value", {"--record", "d", "--fps", "1\n2\x1b[2J"},
                badFps("1\\n2\\e[2J")),
        refuses("a C1 control in a value",
                {"--record", "d", "--fps",
                 "\xc2\x9b"
                 "31m"},
                badFps("\\u009b31m")),
        refuses("a right-to-left override in a value", {"--record", "d", "--fps", "2\u202e5"},
                badFps("2\\u202e5")),
        refuses("rate past int", {"--record", "d", "--fps", "4294967321"}, badFps("4294967321")),
        refuses("width that wraps to 320 in 32 bits",
                {"--record", "d", "--screen", "4294967616x480"}, badScreen("4294967616x480")),
        refuses("height past any integer",
                {"--record", "d", "--screen", "640x99999999999999999999"},
                badScreen("640x99999999999999999999")),
        refuses("screen too small", {"--record", "d", "--screen", "319x240"}, badScreen("319x240")),
        refuses("screen too large", {"--record", "d", "--screen", "7680x4321"},
                badScreen("7680x4321")),
        refuses("negative width", {"--record", "d", "--screen", "-640x480"}, badScreen("-640x480")),
        refuses("one number", {"--record", "d", "--screen", "640"}, badScreen("640")),
        refuses("three numbers", {"--record", "d", "--screen", "640x480x3"},
                badScreen("640x480x3")),
        refuses("trailing space", {"--record", "d", "--screen", "640x480 "}, badScreen("640x480 ")),
        refuses("rate without a recording", {"--fps", "30"},
                "--fps shapes a recording: it needs --record"),
        refuses("screen without a recording", {"--screen=640x480"},
                "--screen shapes a recording: it needs --record"),
    };
    return table;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string contents(std::FILE* file) {
    std::rewind(file);
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    return text;
}

TEST(CommandLine, FollowsTheLineOrExitsWithTheRightStatusAndMessage) {
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
#ifdef _WIN32
        if (row.out == Stdout::Full) continue;  // no full device to write to
#endif
        File out(row.out == Stdout::Full ? std::fopen("/dev/full", "w") : std::tmpfile());
        File err(std::tmpfile());
        ASSERT_TRUE(out && err);

        const auto read = readCommandLine(row.arguments, kRecorder, testing::testGraphics(),
                                          out.get(), err.get());

        EXPECT_EQ(contents(err.get()), row.err);
        if (row.out == Stdout::File) {
            const std::string text = contents(out.get());
            EXPECT_TRUE(text.starts_with(row.outStart)) << text;
            EXPECT_TRUE(text.ends_with(row.outEnd)) << text;
            if (row.outStart.empty()) {
                EXPECT_EQ(text, "");
            }
        }
        if (row.status != kRuns) {
            ASSERT_TRUE(std::holds_alternative<int>(read));
            EXPECT_EQ(std::get<int>(read), row.status);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<CommandLine>(read));
        const CommandLine& line = std::get<CommandLine>(read);
        EXPECT_EQ(line.action, row.action);
        EXPECT_EQ(line.record.directory, row.record.directory);
        EXPECT_EQ(line.record.fps, row.record.fps);
        EXPECT_EQ(line.record.screenWidth, row.record.screenWidth);
        EXPECT_EQ(line.record.screenHeight, row.record.screenHeight);
        EXPECT_EQ(line.names.to, row.names.to);
        EXPECT_EQ(line.names.from, row.names.from);
        EXPECT_EQ(line.silent, row.silent);
        EXPECT_EQ(line.record.silent, row.silent && row.action == Action::Record);
    }
}

// A card that cannot record (the Windows card) neither offers nor takes the options of a
// recording; everything else reads the same.
TEST(CommandLine, ACardThatDoesNotRecordOffersNoRecording) {
    Graphics& graphics = testing::testGraphics();
    const auto recorded = parseCommandLine({"--record", "d"}, {}, graphics);
    ASSERT_TRUE(std::holds_alternative<UsageError>(recorded));
    EXPECT_EQ(std::get<UsageError>(recorded).message, "unknown option '--record'");
    const auto named = parseCommandLine({"--silent", "--to=Anna"}, {}, graphics);
    ASSERT_TRUE(std::holds_alternative<CommandLine>(named));
    EXPECT_TRUE(std::get<CommandLine>(named).silent);

    File out(std::tmpfile());
    ASSERT_TRUE(out);
    EXPECT_EQ(std::get<int>(readCommandLine({"--help"}, {}, graphics, out.get(), stderr)), 0);
    const std::string help = contents(out.get());
    EXPECT_EQ(help.find("--record"), std::string::npos) << help;
    EXPECT_EQ(help.find("--fps"), std::string::npos) << help;
    EXPECT_NE(help.find("--silent"), std::string::npos) << help;
}

}  // namespace
}  // namespace xmascard
