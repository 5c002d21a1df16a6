// SPDX-License-Identifier: MIT
// Text from outside keeps a message on one line and leaves the terminal alone.

#include "platform/io/shown_text.h"

#include <gtest/gtest.h>

namespace xmascard::io {
namespace {

TEST(ShownText, EscapesWhatWouldBreakTheLineOrDriveTheTerminal) {
    struct Row {
        std::string given;
        std::string shown;
    };
    const Row rows[] = {
        {"/home/anna/cards", "/home/anna/cards"},
        {"Zoë 圣诞 🎄 \\n", "Zoë 圣诞 🎄 \\n"},  // a backslash stays as it is
        {"two\nlines\r", "two\\nlines\\x0d"},
        {"tab\there", "tab\\there"},
        {"\x1b[31mred\x1b[0m", "\\e[31mred\\e[0m"},
        {"del\x7f", "del\\x7f"},
        {"csi\xc2\x9b"
         "31m",
         "csi\\u009b31m"},                                  // U+009B, a C1 control
        {"Anna\xe2\x80\xaegnp.exe", "Anna\\u202egnp.exe"},  // right-to-left override
        {"\xe2\x81\xa6isolate\xe2\x81\xa9", "\\u2066isolate\\u2069"},
        {"para\xe2\x80\xa8graph", "para\\u2028graph"},
        {"latin1 \xe9t\xe9", "latin1 \\xe9t\\xe9"},  // not UTF-8
        {"cut \xe2\x82", "cut \\xe2\\x82"},
        {"overlong \xc0\xaf", "overlong \\xc0\\xaf"},
        {"surrogate \xed\xa0\x80", "surrogate \\xed\\xa0\\x80"},
    };
    for (const Row& row : rows) EXPECT_EQ(shown(row.given), row.shown) << row.given;
}

}  // namespace
}  // namespace xmascard::io
