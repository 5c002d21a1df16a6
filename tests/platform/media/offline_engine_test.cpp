// SPDX-License-Identifier: MIT
// Offline renders: the mix produced on demand, with no sound card, checked sample by
// sample against what the players were asked to do.

#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "platform/media/audio_engine.h"
#include "platform/media/mp3_decoder.h"
#include "support/media_test_support.h"
#include "support/smf_builder.h"

namespace xmascard::media {
namespace {

using testing::Audio;
using testing::fixture;
using testing::framesOf;
using testing::renderFrames;
using testing::renderSeconds;
using testing::ScratchDir;
using testing::SmfBuilder;

constexpr std::int64_t kSineFrames = 119070;  // sine_2700ms.mp3: exactly 2.7 s

double decibels(double ratio) { return 20.0 * std::log10(ratio); }

// 40 s at 120 bpm, division 120 (240 ticks a second): a piano note at 10 s and one at
// exactly 27 s, each one second long.
std::vector<std::uint8_t> fortySecondPiece() {
    SmfBuilder smf(1, 120);
    smf.addTrack().tempo(0, 500000).end(40 * 240);
    smf.addTrack()
        .at(0, {0xC0, 0})
        .note(10 * 240, 240, 0, 69, 110)
        .note(27 * 240, 240, 0, 72, 110)
        .end(40 * 240);
    return smf.bytes();
}

std::unique_ptr<AudioEngine> offline() {
    auto engine = testing::offlineEngine();
    EXPECT_EQ(engine->output(), AudioEngine::Output::Offline);
    return engine;
}

TEST(OfflineEngine, PositionAdvancesWithTheRenderedFrames) {
    ScratchDir dir;
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(dir.file("piece.mid", fortySecondPiece()));
    ASSERT_TRUE(player->isPlaying());
    EXPECT_DOUBLE_EQ(player->duration(), 40.0);
    EXPECT_EQ(player->currentPosition(), 0.0);
    renderFrames(*engine, 12345, 777);
    EXPECT_DOUBLE_EQ(player->currentPosition(), 12345.0 / 44100.0);
    EXPECT_DOUBLE_EQ(engine->time(), 12345.0 / 44100.0);
    renderFrames(*engine, 1, 1);
    EXPECT_DOUBLE_EQ(player->currentPosition(), 12346.0 / 44100.0);
}

TEST(OfflineEngine, AWriteOf27SecondsLandsAt27Seconds) {
    ScratchDir dir;
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(dir.file("piece.mid", fortySecondPiece()));
    player->setCurrentPosition(27.0);
    player->setVolume(Volume(-400));
    EXPECT_EQ(player->currentPosition(), 27.0);
    Audio audio = renderSeconds(*engine, 0.5);
    EXPECT_EQ(player->currentPosition(), 27.5);
    // The note written at 27 s sounds at once (FluidSynth starts notes on its 64-frame
    // blocks; the attack takes a few more frames).
    std::int64_t onset = audio.onset(1e-3);
    ASSERT_GE(onset, 0);
    EXPECT_LT(onset, 64 + 441);
    EXPECT_GT(audio.rms(0, audio.frames()), 0.005);
}

TEST(OfflineEngine, NothingSoundsBeforeTheFirstNote) {
    ScratchDir dir;
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(dir.file("piece.mid", fortySecondPiece()));
    player->setCurrentPosition(9.5);
    Audio audio = renderSeconds(*engine, 1.0);
    EXPECT_TRUE(audio.quiet(0, framesOf(0.5) - 64));
    std::int64_t onset = audio.onset(1e-3);
    EXPECT_GE(onset, framesOf(0.5) - 64);
    EXPECT_LT(onset, framesOf(0.5) + 64 + 441);
}

TEST(OfflineEngine, VolumeMinus600HalvesTheAmplitudeAndZeroIsFull) {
    std::vector<double> levels;
    for (long volume : {0L, -600L, -1000L}) {
        auto engine = offline();
        auto player = engine->createPlayer();
        player->setVolume(Volume(volume));
        player->setFileName(fixture("sine_2700ms.mp3"));
        Audio audio = renderSeconds(*engine, 1.0);
        levels.push_back(audio.rms(framesOf(0.2), framesOf(0.8)));
    }
    EXPECT_NEAR(decibels(levels[1] / levels[0]), -6.0, 0.3);
    EXPECT_NEAR(levels[1] / levels[0], 0.5, 0.02);
    EXPECT_NEAR(decibels(levels[2] / levels[0]), -10.0, 0.3);
}

TEST(OfflineEngine, FullVolumePlaysTheDecodedSamplesUnchanged) {
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(fixture("sine_2700ms.mp3"));
    Audio first = renderSeconds(*engine, 0.1);
    std::string warning;
    auto clip = decodeMp3(testing::readBytes(fixture("sine_2700ms.mp3")), 44100, warning);
    ASSERT_TRUE(clip.ok());
    for (std::int64_t i = 0; i < first.frames(); ++i) {
        ASSERT_EQ(first.left(i), clip.value().samples[static_cast<std::size_t>(i)]) << i;
    }
    auto again = offline();
    auto other = again->createPlayer();
    other->setVolume(Volume(-1));
    other->setVolume(Volume(0));
    other->setFileName(fixture("sine_2700ms.mp3"));
    Audio second = renderSeconds(*again, 0.1);
    EXPECT_EQ(first.samples, second.samples);
    for (std::int64_t i = 0; i < first.frames(); ++i) {
        ASSERT_EQ(first.samples[2 * i], first.samples[2 * i + 1]) << "mono plays on both sides";
    }
}

TEST(OfflineEngine, AVolumeChangeWhilePlayingIsHeardWithin50ms) {
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(fixture("sine_2700ms.mp3"));
    Audio before = renderSeconds(*engine, 0.5);
    player->setVolume(Volume(-600));
    EXPECT_EQ(player->volume(), Volume(-600));
    Audio after = renderSeconds(*engine, 0.5);
    double full = before.rms(framesOf(0.1), framesOf(0.5));
    double lowered = after.rms(framesOf(0.05), framesOf(0.5));
    EXPECT_NEAR(decibels(lowered / full), -6.0, 0.3);
    // The ramp is short and smooth: no jump larger than the sine's own steps.
    EXPECT_LT(after.peak(0, framesOf(0.05)), before.peak(0, before.frames()) + 1e-3);
}

TEST(OfflineEngine, VolumeIsClampedToTheClassicRange) {
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setVolume(Volume(250));
    EXPECT_EQ(player->volume(), kFullVolume);
    player->setVolume(Volume(-20000));
    EXPECT_EQ(player->volume(), kQuietestVolume);
}

TEST(OfflineEngine, PlayCount15OnA2700msSoundPlays40500msThenStops) {
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setPlayCount(15);
    player->setFileName(fixture("sine_2700ms.mp3"));
    EXPECT_DOUBLE_EQ(player->duration(), 2.7);
    Audio audio = renderSeconds(*engine, 41.0, 4096);
    const std::int64_t end = 15 * kSineFrames;
    ASSERT_EQ(end, framesOf(40.5));
    for (int pass = 0; pass < 15; ++pass) {
        std::int64_t start = pass * kSineFrames;
        EXPECT_GT(audio.rms(start + 4410, start + kSineFrames - 4410), 0.3) << "pass " << pass;
    }
    EXPECT_GT(audio.peak(end - 441, end), 0.1);
    EXPECT_TRUE(audio.silent(end, audio.frames()));
    EXPECT_FALSE(player->isPlaying());
    EXPECT_DOUBLE_EQ(player->currentPosition(), 2.7);
}

TEST(OfflineEngine, PassesFollowEachOtherWithoutAGap) {
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setPlayCount(2);
    player->setFileName(fixture("sine_2700ms.mp3"));
    Audio audio = renderFrames(*engine, 2 * kSineFrames, 1000);
    for (std::int64_t i = 0; i < kSineFrames; ++i) {
        ASSERT_EQ(audio.samples[2 * i], audio.samples[2 * (i + kSineFrames)]) << i;
    }
    EXPECT_EQ(player->currentPosition(), 2.7);
    EXPECT_FALSE(player->isPlaying());
}

class StopSilences : public ::testing::TestWithParam<const char*> {};

TEST_P(StopSilences, TheNextBuffer) {
    ScratchDir dir;
    std::string path = std::string(GetParam()) == "midi"
                           ? dir.file("piece.mid", testing::cardLikePiece())
                           : fixture("sine_2700ms.mp3");
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(path);
    Audio playing = renderSeconds(*engine, 1.5);
    EXPECT_GT(playing.rms(framesOf(1.0), framesOf(1.5)), 1e-3);
    const double position = player->currentPosition();
    player->stop();
    EXPECT_FALSE(player->isPlaying());
    Audio next = renderFrames(*engine, 512, 512);
    EXPECT_TRUE(next.silent(0, next.frames()));
    EXPECT_EQ(player->currentPosition(), position);
    player->play();
    Audio resumed = renderSeconds(*engine, 0.5);
    EXPECT_GT(resumed.rms(0, resumed.frames()), 1e-3);
    EXPECT_DOUBLE_EQ(player->currentPosition(), position + 0.5);
}

INSTANTIATE_TEST_SUITE_P(Sources, StopSilences, ::testing::Values("midi", "mp3"));

TEST(OfflineEngine, PauseKeepsThePositionAndPlayResumes) {
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(fixture("sine_2700ms.mp3"));
    renderSeconds(*engine, 1.0);
    player->pause();
    Audio paused = renderSeconds(*engine, 0.5);
    EXPECT_TRUE(paused.silent(0, paused.frames()));
    EXPECT_EQ(player->currentPosition(), 1.0);
    player->play();
    renderSeconds(*engine, 0.25);
    EXPECT_EQ(player->currentPosition(), 1.25);
}

TEST(OfflineEngine, PlayAfterTheLastPassStartsAgain) {
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(fixture("sine_2700ms.mp3"));
    renderSeconds(*engine, 3.0);
    EXPECT_FALSE(player->isPlaying());
    EXPECT_DOUBLE_EQ(player->currentPosition(), 2.7);
    player->play();
    EXPECT_TRUE(player->isPlaying());
    EXPECT_EQ(player->currentPosition(), 0.0);
}

TEST(OfflineEngine, APositionPastTheEndStopsAtTheEnd) {
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(fixture("sine_2700ms.mp3"));
    player->setCurrentPosition(99.0);
    EXPECT_DOUBLE_EQ(player->currentPosition(), 2.7);
    Audio audio = renderFrames(*engine, 256);
    EXPECT_TRUE(audio.silent(0, audio.frames()));
    EXPECT_FALSE(player->isPlaying());
    player->setCurrentPosition(-3.0);
    EXPECT_EQ(player->currentPosition(), 0.0);
}

TEST(OfflineEngine, WithoutAutoStartTheFileWaitsForPlay) {
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setAutoStart(false);
    player->setFileName(fixture("sine_2700ms.mp3"));
    EXPECT_FALSE(player->isPlaying());
    EXPECT_TRUE(renderSeconds(*engine, 0.2).silent(0, framesOf(0.2)));
    EXPECT_EQ(player->currentPosition(), 0.0);
    player->play();
    EXPECT_GT(renderSeconds(*engine, 0.2).rms(0, framesOf(0.2)), 0.1);
}

bool processHoldsOpen(const std::string& path) {
    std::string target = std::filesystem::canonical(path).string();
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        auto link = std::filesystem::read_symlink(entry.path(), error);
        if (!error && link.string() == target) return true;
    }
    return false;
}

TEST(OfflineEngine, AnEmptyFileNameReleasesTheFile) {
    ScratchDir dir;
    std::string copy = dir.file("Bells.mp3", testing::readBytes(fixture("sine_2700ms.mp3")));
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(copy);
    EXPECT_TRUE(player->isPlaying());
    EXPECT_FALSE(processHoldsOpen(copy));  // read whole: no handle stays open
    renderSeconds(*engine, 0.5);
    player->setFileName("");
    EXPECT_EQ(player->fileName(), "");
    EXPECT_FALSE(player->isPlaying());
    EXPECT_EQ(player->duration(), 0.0);
    EXPECT_EQ(player->currentPosition(), 0.0);
    EXPECT_TRUE(std::filesystem::remove(copy));
    EXPECT_TRUE(renderSeconds(*engine, 0.2).silent(0, framesOf(0.2)));
    player->play();  // nothing loaded: nothing to play
    EXPECT_FALSE(player->isPlaying());
}

TEST(OfflineEngine, ATempoChangeGivesPositionsInSeconds) {
    // 120 bpm for 4 beats (2 s), then 240 bpm: a note at beat 8 sounds at 3 s, the
    // piece ends at beat 12, 4 s.
    ScratchDir dir;
    SmfBuilder smf(1, 96);
    smf.addTrack().tempo(0, 500000).tempo(4 * 96, 250000).end(12 * 96);
    smf.addTrack().at(0, {0xC0, 0}).note(8 * 96, 48, 0, 72, 120).end(12 * 96);
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(dir.file("tempo.mid", smf.bytes()));
    EXPECT_DOUBLE_EQ(player->duration(), 4.0);
    Audio audio = renderSeconds(*engine, 2.5);
    EXPECT_DOUBLE_EQ(player->currentPosition(), 2.5);
    Audio rest = renderSeconds(*engine, 2.0);
    std::int64_t onset = rest.onset(1e-3);
    EXPECT_TRUE(audio.quiet(0, audio.frames()));
    EXPECT_GE(onset, framesOf(0.5));
    EXPECT_LT(onset, framesOf(0.5) + 64 + 441);
    EXPECT_FALSE(player->isPlaying());
    EXPECT_DOUBLE_EQ(player->currentPosition(), 4.0);
    EXPECT_TRUE(rest.silent(framesOf(1.5), rest.frames()));
}

TEST(OfflineEngine, TwoPlayersMixIntoOneStream) {
    ScratchDir dir;
    std::string music = dir.file("mm.mid", testing::cardLikePiece());
    auto renderWith = [&](bool withMusic, bool withBells) {
        auto engine = offline();
        auto a = engine->createPlayer();
        auto b = engine->createPlayer();
        a->setVolume(Volume(-1000));
        b->setPlayCount(15);
        if (withMusic) a->setFileName(music);
        if (withBells) b->setFileName(fixture("sine_2700ms.mp3"));
        return renderSeconds(*engine, 3.0, 700);
    };
    Audio both = renderWith(true, true);
    Audio musicOnly = renderWith(true, false);
    Audio bellsOnly = renderWith(false, true);
    double worst = 0;
    for (std::size_t i = 0; i < both.samples.size(); ++i) {
        worst = std::max(worst, std::fabs(double{both.samples[i]} - musicOnly.samples[i] -
                                          bellsOnly.samples[i]));
    }
    EXPECT_LT(worst, 1e-6);
    EXPECT_GT(musicOnly.rms(0, musicOnly.frames()), 1e-3);
}

TEST(OfflineEngine, AdvanceToRendersUpToTheGivenTime) {
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(fixture("sine_2700ms.mp3"));
    engine->advanceTo(1.25);
    EXPECT_DOUBLE_EQ(engine->time(), 1.25);
    EXPECT_DOUBLE_EQ(player->currentPosition(), 1.25);
    engine->advanceTo(0.5);  // never back
    EXPECT_DOUBLE_EQ(player->currentPosition(), 1.25);
}

TEST(OfflineEngine, APlayerMayOutliveItsEngine) {
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(fixture("sine_2700ms.mp3"));
    renderSeconds(*engine, 0.1);
    engine.reset();
    player->setVolume(Volume(-400));
    player->setCurrentPosition(1.0);
    EXPECT_EQ(player->currentPosition(), 1.0);
    player->setFileName("");
}

TEST(OfflineEngine, ReloadingTheSameNameReadsTheFileAgain) {
    ScratchDir dir;
    std::string path = dir.file("sound.mp3", testing::readBytes(fixture("sine_2700ms.mp3")));
    auto engine = offline();
    auto player = engine->createPlayer();
    player->setFileName(path);
    EXPECT_DOUBLE_EQ(player->duration(), 2.7);
    dir.file("sound.mp3", testing::readBytes(fixture("sine_22050.mp3")));
    player->setFileName(path);
    EXPECT_NEAR(player->duration(), 0.5, 0.01);
}

}  // namespace
}  // namespace xmascard::media
