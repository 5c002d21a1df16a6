// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

#include "platform/io/files.h"
#include "platform/resources.h"
#include "shaping/region_from_picture.h"
#include "show/program.h"
#include "support/test_runtime.h"

namespace xmascard {
namespace {

namespace fs = std::filesystem;

std::vector<char> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh sound directory, with what a test puts in it before the card starts.
struct SoundDirectory {
    testing::TempDirectory temp;
    fs::path dir = temp.path;
};

// The card started, its sound files going into the runtime's own directory or the given one.
struct StartedCard {
    StartedCard() : directory(t.soundDirectory.path) {}
    explicit StartedCard(const fs::path& sounds)
        : directory((t.host.setSoundDirectory(sounds.string()), sounds)) {}
    testing::TestRuntime t{1000.0};
    fs::path directory;
    Program program{t.runtime};
    FormTree& tree = *program.formTree;
};

TEST(StartUp, SizesAndShapesTheWindowToTheTree) {
    StartedCard card;
    FormTree& tree = card.tree;
    EXPECT_EQ(tree.PictureTree.ScaleWidth(), 308);
    EXPECT_EQ(tree.PictureTree.ScaleHeight(), 398);
    EXPECT_EQ(tree.Width(), 308 * 15);
    EXPECT_EQ(tree.Height(), 398 * 15);
    ASSERT_TRUE(tree.region().has_value());
    EXPECT_EQ(*tree.region(), *RegionFromPicture(tree.PictureTree));
    // The tree lies behind the greeting pictures, which wait off-stage.
    EXPECT_EQ(tree.children().front(), &tree.PictureTree);
    EXPECT_EQ(tree.PicSeasonsGreating.Left(), -5000);
    EXPECT_EQ(tree.PicMerryChristmas.Left(), -2500);
    EXPECT_EQ(tree.PicHappyNewYear.Top(), -5500);
    EXPECT_EQ(tree.ShapeTree.Width(), tree.PictureTree.Width());
    // The card is loaded, hidden; nothing else is.
    EXPECT_TRUE(card.program.form2.loaded());
    EXPECT_FALSE(card.program.form2->Visible());
    EXPECT_FALSE(card.program.form3.loaded());
    EXPECT_EQ(tree.PCircle.size(), 24u);
    EXPECT_FALSE(tree.PCircle.contains(0));
}

TEST(StartUp, SeedsEveryFlakeInsideTheTreePicture) {
    for (double start : {1000.0, 1.5, 86399.9}) {
        testing::TestRuntime t{1000.0};
        t.clock.set(start);
        Program program(t.runtime);
        const FormTree& tree = *program.formTree;
        for (int i = 0; i < FormTree::kFlakeCount; ++i) {
            EXPECT_GE(tree.flakeX()[i], 0);
            EXPECT_LT(tree.flakeX()[i], 308);
            EXPECT_GE(tree.flakeY()[i], 0);
            EXPECT_LT(tree.flakeY()[i], 398);
        }
    }
}

TEST(StartUp, WritesTheSoundFilesByteForByte) {
    SoundDirectory sounds;
    // A stale, longer file must leave none of its bytes behind.
    std::ofstream(sounds.dir / "mm.mid") << std::string(100000, 'x');
    StartedCard card(sounds.dir);
    EXPECT_EQ(readFile(sounds.dir / "mm.mid"), *LoadResData(101, "CUSTOM"));
    EXPECT_EQ(readFile(sounds.dir / "Bells.mp3"), *LoadResData(102, "CUSTOM"));
    // Windows takes both slashes as separators; its own paths have backslashes.
    EXPECT_EQ(fs::path(card.tree.MediaPlayer1.FileName()).make_preferred().string(),
              (sounds.dir / "mm.mid").string());
    EXPECT_EQ(card.tree.MediaPlayer1.Volume(), media::Volume(-400));
}

// WINDIR (under any of its spellings) names the sound directory; without it, the cache.
TEST(SoundDirectory, IsWindirWhenSetElseTheCache) {
    struct Row {
        std::map<std::string, std::string> environment;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {{}, "/cache/xmascard"},
        {{{"WINDIR", "/win"}}, "/win"},
        {{{"Windir", "/Win"}}, "/Win"},
        {{{"windir", "/w"}}, "/w"},
        {{{"WINDIR", ""}}, "/cache/xmascard"},
        {{{"WINDIR", ""}, {"windir", "/w"}}, "/w"},
        {{{"WINDIR", "/first"}, {"windir", "/last"}}, "/first"},
    };
    for (const Row& row : rows) {
        const auto environment = [&row](const std::string& name) -> std::optional<std::string> {
            const auto it = row.environment.find(name);
            if (it == row.environment.end()) return std::nullopt;
            return it->second;
        };
        EXPECT_EQ(soundDirectoryFor(environment, "/cache/xmascard"), row.expected);
    }
}

TEST(StartUp, ReplacesALinkInsteadOfWritingThroughIt) {
    SoundDirectory sounds;
    const fs::path victim = sounds.dir / "precious.txt";
    std::ofstream(victim) << "keep me";
    std::error_code noLink;
    fs::create_symlink(victim, sounds.dir / "mm.mid", noLink);
#ifdef _WIN32
    if (noLink) GTEST_SKIP() << "no symbolic links on this system: " << noLink.message();
#endif
    ASSERT_FALSE(noLink) << noLink.message();
    StartedCard card(sounds.dir);
    EXPECT_EQ(readFile(victim), std::vector<char>({'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
    EXPECT_FALSE(fs::is_symlink(sounds.dir / "mm.mid"));
    EXPECT_EQ(readFile(sounds.dir / "mm.mid"), *LoadResData(101, "CUSTOM"));
}

TEST(StartUp, GoesOnWhenAFileCannotBeWritten) {
    struct Row {
        const char* name;
        std::function<void(const fs::path&)> block;  // puts something in the way of mm.mid
        const char* message;
    };
    const std::vector<Row> rows = {
        {"directory", [](const fs::path& d) { fs::create_directory(d / "mm.mid"); },
         "a directory is in the way"},
        {"read-only file",
         [](const fs::path& d) {
             std::ofstream(d / "mm.mid") << "old";
             fs::permissions(d / "mm.mid", fs::perms::owner_read);
         },
         "read-only"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
#ifndef _WIN32
        if (row.message == std::string("read-only") && geteuid() == 0)
            continue;  // root writes anyway
#endif
        SoundDirectory sounds;
        row.block(sounds.dir);
        ::testing::internal::CaptureStderr();
        StartedCard card(sounds.dir);
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(row.message), std::string::npos) << err;
        EXPECT_EQ(readFile(sounds.dir / "Bells.mp3"), *LoadResData(102, "CUSTOM"));
        EXPECT_TRUE(card.tree.region().has_value());
    }
}

TEST(StartUp, GoesOnWhenTheDirectoryIsMissing) {
    ::testing::internal::CaptureStderr();
    {
        StartedCard card("/nonexistent/xmascard-test");
        EXPECT_TRUE(card.tree.region().has_value());
    }
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("cannot write /nonexistent/xmascard-test/mm.mid"), std::string::npos);
}

}  // namespace
}  // namespace xmascard
