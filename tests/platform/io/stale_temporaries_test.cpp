// SPDX-License-Identifier: MIT
// What killed runs left behind is cleaned up at the next run in that directory, and nothing
// else: not another name's files, not a file being written, not a stranger's file.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/io/safe_file.h"

namespace xmascard::io {
namespace {

namespace fs = std::filesystem;

struct Leftover {
    const char* name;
    int ageSeconds;
    bool removed;
};

class StaleTemporaries : public ::testing::Test {
  protected:
    StaleTemporaries() {
        dir_ = fs::temp_directory_path() / ("xmascard-stale-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    ~StaleTemporaries() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    void make(const Leftover& row) {
        const fs::path path = dir_ / row.name;
        std::ofstream(path) << "left over";
        fs::last_write_time(
            path, fs::file_time_type::clock::now() - std::chrono::seconds(row.ageSeconds));
    }
    bool present(const char* name) const { return fs::exists(dir_ / name); }
    std::string path() const { return dir_.string(); }

  private:
    fs::path dir_;
};

const std::vector<Leftover> kLeftovers = {
    {".card.mp4.p7bop8", 600, true},    // a video recording killed ten minutes ago
    {".Bells.mp3.AbC123", 120, true},   // a sound file of a card killed while writing it
    {".card.mp4.x7Yz09", 5, false},     // just written: perhaps another card's, at work
    {".other.mp4.p7bop8", 600, false},  // not a name this run writes
    {".card.mp4.bak", 600, false},      // not six letters and digits after the name
    {".card.mp4.abc-12", 600, false},  {"card.mp4.p7bop8", 600, false},  // not hidden
    {".card.mp4.", 600, false},
};

bool ours(std::string_view name) { return name == "card.mp4" || name == "Bells.mp3"; }

TEST_F(StaleTemporaries, OnlyOldTemporaryFilesOfTheNamesWrittenGo) {
    for (const Leftover& row : kLeftovers) make(row);
    auto directory = Directory::open(path());
    ASSERT_TRUE(directory.ok()) << directory.error();
    removeStaleTemporaries(directory.value(), ours);
    for (const Leftover& row : kLeftovers) EXPECT_EQ(!present(row.name), row.removed) << row.name;
}

TEST_F(StaleTemporaries, NothingGoesWhileAnotherCardWritesThere) {
    for (const Leftover& row : kLeftovers) make(row);
    auto writing = Directory::open(path());  // another card's, holding its lock
    auto directory = Directory::open(path());
    ASSERT_TRUE(writing.ok() && directory.ok());
    removeStaleTemporaries(directory.value(), ours);
    for (const Leftover& row : kLeftovers) EXPECT_TRUE(present(row.name)) << row.name;
    // Once it is done, the next run cleans up; and a run that cleaned up still counts as
    // one at work for the runs after it.
    writing = Directory::open("/");
    removeStaleTemporaries(directory.value(), ours);
    EXPECT_FALSE(present(".card.mp4.p7bop8"));
    make({".Bells.mp3.Zz9Zz9", 600, true});
    auto next = Directory::open(path());
    ASSERT_TRUE(next.ok());
    removeStaleTemporaries(next.value(), ours);
    EXPECT_TRUE(present(".Bells.mp3.Zz9Zz9"));
}

TEST_F(StaleTemporaries, AWriterOfOneFileCleansUpAfterKilledWritersOfThatName) {
    make({".Bells.mp3.AbC123", 600, true});
    make({".mm.mid.AbC123", 600, true});
    auto writer = SafeFileWriter::create(path() + "/Bells.mp3");
    ASSERT_TRUE(writer.ok()) << writer.error();
    EXPECT_FALSE(present(".Bells.mp3.AbC123"));
    EXPECT_TRUE(present(".mm.mid.AbC123"));
}

TEST_F(StaleTemporaries, AReadOnlyFileOrADirectoryIsNotReplaced) {
    auto directory = Directory::open(path());
    ASSERT_TRUE(directory.ok());
    EXPECT_FALSE(replacementProblem(directory.value(), "card.mp4"));
    fs::create_directory(fs::path(path()) / "card.mp4");
    EXPECT_EQ(replacementProblem(directory.value(), "card.mp4"), "a directory is in the way");
    if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
    make({"old.mp4", 0, false});
    ::chmod((path() + "/old.mp4").c_str(), 0444);
    EXPECT_EQ(replacementProblem(directory.value(), "old.mp4"),
              "the file there is read-only (Permission denied)");
}

}  // namespace
}  // namespace xmascard::io
