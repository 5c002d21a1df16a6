// SPDX-License-Identifier: MIT
// Bad input and broken environments: each gives one clear line on standard error, the
// player stays silent at position 0, and nothing crashes or hangs.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <random>

#include "platform/media/audio_engine.h"
#include "support/media_test_support.h"
#include "support/smf_builder.h"

namespace xmascard::media {
namespace {

using testing::fixture;
using testing::framesOf;
using testing::renderSeconds;
using testing::ScratchDir;
using testing::SmfBuilder;

struct BadInput {
    const char* name;
    // Makes the file in the scratch directory and returns its path.
    std::function<std::string(const ScratchDir&)> make;
    const char* message;              // a part of the expected line
    const char* soundFont = nullptr;  // XMASCARD_SOUNDFONT for this case
};

void PrintTo(const BadInput& row, std::ostream* os) { *os << row.name; }

std::vector<std::uint8_t> goodPiece() {
    SmfBuilder smf(1, 120);
    smf.addTrack().tempo(0, 500000).end(480);
    smf.addTrack().note(0, 240, 0, 60, 100).end(480);
    return smf.bytes();
}

std::vector<BadInput> badInputs() {
    std::vector<BadInput> rows;
    rows.push_back({"MissingFile", [](const ScratchDir& d) { return d.path("nowhere.mid"); },
                    "cannot read (No such file or directory)"});
    rows.push_back({"Directory", [](const ScratchDir& d) { return d.path(""); }, "cannot read"});
    rows.push_back({"EmptyFile", [](const ScratchDir& d) { return d.file("empty.mp3", {}); },
                    "no MPEG audio frames"});
    rows.push_back({"TruncatedMidi",
                    [](const ScratchDir& d) {
                        auto bytes = goodPiece();
                        bytes.resize(bytes.size() - 6);
                        return d.file("cut.mid", bytes);
                    },
                    "track 2 runs past the end of the file"});
    rows.push_back({"CorruptMidi",
                    [](const ScratchDir& d) {
                        auto bytes = goodPiece();
                        for (std::size_t i = 22; i < bytes.size(); ++i) bytes[i] = 0xF5;
                        return d.file("corrupt.mid", bytes);
                    },
                    "delta time longer than 4 bytes"});
    rows.push_back({"RunningStatusAtTrackStart",
                    [](const ScratchDir& d) {
                        SmfBuilder smf(0, 96);
                        smf.addTrack().raw({0x00, 60, 100});
                        return d.file("running.mid", smf.bytes());
                    },
                    "running status without a preceding status byte"});
    rows.push_back({"ZeroDivision",
                    [](const ScratchDir& d) {
                        SmfBuilder smf(0, 0);
                        smf.addTrack().note(0, 10, 0, 60, 100).end(20);
                        return d.file("zero.mid", smf.bytes());
                    },
                    "division is 0"});
    rows.push_back({"ZeroTempo",
                    [](const ScratchDir& d) {
                        SmfBuilder smf(0, 96);
                        smf.addTrack().tempo(0, 0).note(0, 10, 0, 60, 100).end(20);
                        return d.file("tempo0.mid", smf.bytes());
                    },
                    "tempo of 0 microseconds"});
    rows.push_back({"AbsurdlySlowTempo",
                    [](const ScratchDir& d) {
                        SmfBuilder smf(0, 1);
                        smf.addTrack().tempo(0, 0xFFFFFF).note(0, 0x0FFFFFFF, 0, 60, 100);
                        return d.file("slow.mid", smf.bytes());
                    },
                    "more than the limit of 3600 s"});
    rows.push_back({"TrackLengthPastTheEnd",
                    [](const ScratchDir& d) {
                        auto bytes = goodPiece();
                        bytes[14 + 4] = 0x7F;  // first track's length: 2 GB
                        return d.file("long.mid", bytes);
                    },
                    "track 1 runs past the end of the file"});
    rows.push_back({"ZerosAsMp3",
                    [](const ScratchDir& d) {
                        return d.file("zeros.mp3", std::vector<std::uint8_t>(8192, 0));
                    },
                    "no MPEG audio frames"});
    rows.push_back({"TextAsMp3",
                    [](const ScratchDir& d) {
                        std::string text = "Merry Christmas and a Happy New Year\n";
                        return d.file("text.mp3",
                                      std::vector<std::uint8_t>(text.begin(), text.end()));
                    },
                    "no MPEG audio frames"});
    rows.push_back({"Id3TagOnly",
                    [](const ScratchDir& d) {
                        std::vector<std::uint8_t> tag = {'I', 'D', '3', 3, 0, 0, 0, 0, 0x08, 0};
                        tag.resize(10 + 1024, 0);
                        return d.file("tag.mp3", tag);
                    },
                    "no MPEG audio frames"});
    // A SoundFont the user named that cannot be used is named, with the cause.
    rows.push_back(
        {"NoSoundFont", [](const ScratchDir& d) { return d.file("mm.mid", goodPiece()); },
         "(/nonexistent/xmascard.sf2: No such file or directory)", "/nonexistent/xmascard.sf2"});
    rows.push_back({"FifoAsSoundFont",
                    [](const ScratchDir& d) {
                        ::mkfifo(d.path("fifo.sf2").c_str(), 0644);
                        return d.file("mm.mid", goodPiece());
                    },
                    "fifo.sf2: not a regular file)", "@fifo.sf2"});
    rows.push_back({"DirectoryAsSoundFont",
                    [](const ScratchDir& d) { return d.file("mm.mid", goodPiece()); },
                    "/: Is a directory)", "@"});
    rows.push_back({"LinkLoopAsSoundFont",
                    [](const ScratchDir& d) {
                        std::filesystem::create_symlink(d.path("loop.sf2"), d.path("loop.sf2"));
                        return d.file("mm.mid", goodPiece());
                    },
                    "loop.sf2: Too many levels of symbolic links)", "@loop.sf2"});
    rows.push_back({"BrokenSoundFont",
                    [](const ScratchDir& d) {
                        d.file("broken.sf2", std::vector<std::uint8_t>(4096, 7));
                        return d.file("mm.mid", goodPiece());
                    },
                    "broken.sf2: not a SoundFont file", "@broken.sf2"});
    rows.push_back({"TruncatedSoundFont",
                    [](const ScratchDir& d) {
                        auto bytes = testing::readBytes("/usr/share/sounds/sf2/TimGM6mb.sf2");
                        bytes.resize(std::min<std::size_t>(bytes.size(), 100000));
                        d.file("cut.sf2", bytes);
                        return d.file("mm.mid", goodPiece());
                    },
                    "cut.sf2: the SoundFont file is truncated", "@cut.sf2"});
    return rows;
}

class BadInputs : public ::testing::TestWithParam<BadInput> {};

TEST_P(BadInputs, GiveOneLineAndLeaveThePlayerSilent) {
    ScratchDir dir;
    const BadInput& row = GetParam();
    std::string soundFont;
    if (row.soundFont != nullptr) {
        soundFont = row.soundFont[0] == '@' ? dir.path(row.soundFont + 1) : row.soundFont;
    }
    std::string path = row.make(dir);
    auto engine = testing::offlineEngine(
        {}, row.soundFont != nullptr ? std::optional<std::string>(soundFont) : std::nullopt);
    auto player = engine->createPlayer();
    player->setVolume(Volume(-400));
    ::testing::internal::CaptureStderr();
    player->setFileName(path);
    std::string text = ::testing::internal::GetCapturedStderr();
    auto lines = testing::lines(text);
    ASSERT_EQ(lines.size(), 1u) << text;
    EXPECT_EQ(lines[0].rfind("xmascard: " + path + ": ", 0), 0u) << text;
    EXPECT_NE(lines[0].find(row.message), std::string::npos) << text;
    // A SoundFont the user named is named in the line, which does not ask for one.
    if (row.soundFont) {
        EXPECT_NE(lines[0].find("the SoundFont XMASCARD_SOUNDFONT names cannot be used ("),
                  std::string::npos)
            << text;
        EXPECT_EQ(lines[0].find("name one with XMASCARD_SOUNDFONT"), std::string::npos) << text;
    }
    if (row.soundFont) {
        // A good piece with nothing to play it on runs silently, as in a silent card: its
        // length is known and its time moves on, so the show's tests of it hold.
        EXPECT_GT(player->duration(), 0.3);
        auto audio = renderSeconds(*engine, 0.2);
        EXPECT_TRUE(audio.silent(0, audio.frames()));
        EXPECT_NEAR(player->currentPosition(), 0.2, 0.02);
        EXPECT_FALSE(engine->soundsLoaded().music);
    } else {
        EXPECT_FALSE(player->isPlaying());
        EXPECT_EQ(player->currentPosition(), 0.0);
        EXPECT_EQ(player->duration(), 0.0);
        player->play();
        player->setCurrentPosition(27.0);
        EXPECT_EQ(player->currentPosition(), 0.0);
        auto audio = renderSeconds(*engine, 0.2);
        EXPECT_TRUE(audio.silent(0, audio.frames()));
    }
    // The player still works with a good file afterwards.
    player->setFileName(fixture("sine_2700ms.mp3"));
    EXPECT_TRUE(player->isPlaying());
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInputs, ::testing::ValuesIn(badInputs()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BadInputsSilent, MidiErrorsAreReportedWithoutSynthesisToo) {
    ScratchDir dir;
    SmfBuilder smf(0, 0);
    smf.addTrack().end(0);
    std::string path = dir.file("zero.mid", smf.bytes());
    auto engine = AudioEngine::create(AudioEngine::Output::Silent);
    auto player = engine->createPlayer();
    ::testing::internal::CaptureStderr();
    player->setFileName(path);
    std::string text = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(text, "xmascard: " + path + ": the MIDI division is 0 ticks per quarter note\n");
    EXPECT_FALSE(player->isPlaying());
}

TEST(BadInputsMp3, ATruncatedMp3PlaysWhatIsThereAndStopsCleanly) {
    ScratchDir dir;
    auto bytes = testing::readBytes(fixture("sine_2700ms.mp3"));
    bytes.resize(bytes.size() / 2 + 17);  // cut inside a frame
    std::string path = dir.file("half.mp3", bytes);
    auto engine = testing::offlineEngine();
    auto player = engine->createPlayer();
    player->setFileName(path);
    EXPECT_TRUE(player->isPlaying());
    EXPECT_GT(player->duration(), 1.0);
    EXPECT_LT(player->duration(), 1.6);
    auto audio = renderSeconds(*engine, 2.0);
    EXPECT_FALSE(player->isPlaying());
    EXPECT_TRUE(audio.silent(framesOf(player->duration()), audio.frames()));
}

TEST(BadInputsMp3, RandomBytesNeverCrashTheDecoder) {
    ScratchDir dir;
    std::mt19937 random(20241224);
    auto good = testing::readBytes(fixture("sine_2700ms.mp3"));
    auto engine = testing::offlineEngine();
    auto player = engine->createPlayer();
    for (int round = 0; round < 40; ++round) {
        std::vector<std::uint8_t> bytes = good;
        if (round % 2 == 0) {
            for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
        } else {
            for (int i = 0; i < 200; ++i)
                bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        }
        ::testing::internal::CaptureStderr();
        player->setFileName(dir.file("noise.mp3", bytes));
        std::string text = ::testing::internal::GetCapturedStderr();
        EXPECT_LE(testing::lines(text).size(), 1u) << text;
        renderSeconds(*engine, 0.05);
    }
}

}  // namespace
}  // namespace xmascard::media
