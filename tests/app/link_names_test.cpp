// SPDX-License-Identifier: MIT
#include "app/link_names.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "support/test_graphics.h"

namespace xmascard {
namespace {

std::string contents(std::FILE* file) {
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    return text;
}

struct Row {
    const char* name;
    std::string fragment;
    std::optional<std::string> to, from;
    int leftOut = 0;  // lines on the error stream, one per name or key left out
};

TEST(LinkNames, TakesTheFragmentsNamesUnderTheCommandLinesRules) {
    const std::string a41(41, 'a'), a40(40, 'a');
    const Row rows[] = {
        {"both names", "#to=Anna&from=Tom", "Anna", "Tom"},
        {"without the hash", "to=Anna", "Anna", std::nullopt},
        {"percent-encoded UTF-8 and a plus for a space", "#to=Ren%C3%A9e&from=J%C3%BCrgen+M",
         "Renée", "Jürgen M"},
        {"an encoded ampersand and equals sign stay in the name", "#to=A%26B%3DC", "A&B=C",
         std::nullopt},
        {"a percent sign without two hex digits stays", "#to=100%&from=%zz", "100%", "%zz"},
        {"empty pairs are skipped", "#&&to=Anna&", "Anna", std::nullopt},
        {"no fragment", "", std::nullopt, std::nullopt},
        {"40 letters are a name", "#to=" + a40, a40, std::nullopt},
        {"41 letters are left out, the other name stays", "#to=" + a41 + "&from=Tom", std::nullopt,
         "Tom", 1},
        {"a key that is no name is left out", "#lang=de&to=Anna", "Anna", std::nullopt, 1},
        {"a name with no value", "#to&from=Tom", std::nullopt, "Tom", 1},
        {"a key with a line break and an escape is told in one line", "#l%0Ang%1B=x&to=Anna",
         "Anna", std::nullopt, 1},
        {"a name with a line break is told in one line", "#to=An%0Ana&from=Tom", std::nullopt,
         "Tom", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), &std::fclose);
        ASSERT_TRUE(err);
        const CardNames names = namesFromLink(row.fragment, testing::testGraphics(), err.get());
        EXPECT_EQ(names.to, row.to);
        EXPECT_EQ(names.from, row.from);
        const std::string said = contents(err.get());
        int lines = 0;
        for (char c : said) lines += c == '\n';
        EXPECT_EQ(lines, row.leftOut) << said;
        if (row.leftOut) {
            EXPECT_EQ(said.rfind("xmascard: ", 0), 0u) << said;
        }
    }
}

}  // namespace
}  // namespace xmascard
