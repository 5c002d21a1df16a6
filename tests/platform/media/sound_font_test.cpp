// SPDX-License-Identifier: MIT
// The SoundFont reads a preset's samples only when a synthesizer first selects it; the
// presets a piece uses are read when the piece is loaded, never while it plays.

#include "platform/media/fluidsynth/fluid_synthesizer.h"
#include "platform/media/fluidsynth/sound_font.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/media/audio_engine.h"
#include "platform/media/midi_source.h"
#include "support/media_test_support.h"
#include "support/smf_builder.h"

namespace xmascard::media {
namespace {

using testing::ScratchDir;
using testing::SmfBuilder;

MidiEvent event(std::uint8_t status, std::uint8_t data1, std::uint8_t data2 = 0) {
    return MidiEvent{0, status, data1, data2};
}

TEST(SoundFontPresets, APieceSelectsTheBankOfItsLastBankSelectAndPercussionOnChannel10) {
    MidiSequence piece;
    piece.events = {event(0xC0, 19),      event(0xB0, 0, 8), event(0xC0, 19), event(0xB1, 32, 5),
                    event(0xC1, 40),      event(0xB9, 0, 3), event(0xC9, 25), event(0xC0, 19),
                    event(0x90, 60, 100), event(0xB0, 0, 0), event(0xC0, 19)};
    const std::vector<std::pair<int, int>> expected{{0, 19}, {8, 19}, {0, 40}, {128, 25}};
    EXPECT_EQ(MidiSource::presetsOf(piece), expected);
}

// One note of `program` on channel 0, a tenth of a second in.
std::shared_ptr<const MidiSequence> oneNote(int program) {
    SmfBuilder smf(0, 480);
    smf.addTrack()
        .tempo(0, 500000)
        .at(0, {0xC0, static_cast<std::uint8_t>(program)})
        .note(96, 480, 0, 64, 110)
        .end(960);
    auto parsed = readStandardMidiFile(smf.bytes(), AudioEngine::kSampleRate);
    return std::make_shared<const MidiSequence>(parsed.take());
}

// A copy of the installed font in `dir`, for a test to remove; empty when none loads.
std::string copyOfTheInstalledFont(const ScratchDir& dir) {
    auto installed = SoundFont::load(makeFluidSettings(AudioEngine::kSampleRate));
    if (!installed.ok()) return {};
    const std::string copy = dir.path("font.sf2");
    std::filesystem::copy_file(installed.value()->path(), copy);
    return copy;
}

// With the file gone once loaded, a held preset still sounds: its samples are in memory.
// Selecting one not held makes FluidSynth try to read the file, and say it cannot.
TEST(SoundFontPresets, HeldPresetsPlayWithoutReadingTheFileAgain) {
    auto settings = makeFluidSettings(AudioEngine::kSampleRate);
    ScratchDir dir;
    const std::string copy = copyOfTheInstalledFont(dir);
    ASSERT_FALSE(copy.empty());
    auto loaded = SoundFont::load(settings, copy);
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    std::shared_ptr<SoundFont> font = loaded.take();
    EXPECT_TRUE(font->hold(0, 19));
    EXPECT_TRUE(font->hold(77, 19));  // no such bank: the bank 0 organ, already held
    std::filesystem::remove(copy);

    auto made = FluidSynthesizer::create(font, AudioEngine::kSampleRate);
    ASSERT_TRUE(made.ok()) << made.error();
    FluidSynthesizer& synthesizer = *made.value();
    MidiSource organ(oneNote(19), made.take());
    FluidErrorCapture capture;
    synthesizer.attachSoundFont();
    std::vector<float> left(AudioEngine::kSampleRate), right(AudioEngine::kSampleRate);
    organ.render(left.data(), right.data(), AudioEngine::kSampleRate);
    float peak = 0;
    for (float x : left) peak = std::max(peak, std::fabs(x));
    EXPECT_GT(peak, 0.01f);
    EXPECT_EQ(capture.last(""), "");

    // Not held: its samples would come from the file (nothing is rendered with them).
    fluid_synth_program_change(synthesizer.synth(), 1, 40);
    EXPECT_NE(capture.last(""), "");
}

// The engine holds what a piece it loads selects: playing it, and playing it again from
// the start (which resets every channel), never reads the file.
TEST(SoundFontPresets, APieceThatIsPlayingNeverReadsTheFont) {
    ScratchDir dir;
    const std::string copy = copyOfTheInstalledFont(dir);
    ASSERT_FALSE(copy.empty());
    SmfBuilder smf(0, 480);
    smf.addTrack()
        .tempo(0, 500000)
        .at(0, {0xC0, 19})
        .at(0, {0xB1, 0, 8})
        .at(0, {0xC1, 40})
        .at(0, {0xC9, 25})
        .note(96, 480, 0, 64, 110)
        .note(96, 480, 1, 67, 110)
        .note(96, 480, 9, 38, 110)
        .end(960);
    const std::string piece = dir.file("piece.mid", smf.bytes());
    auto engine = testing::offlineEngine({}, copy);
    auto player = engine->createPlayer();
    player->setFileName(piece);
    std::filesystem::remove(copy);

    FluidErrorCapture capture;
    testing::Audio first = testing::renderSeconds(*engine, 0.9);
    player->setCurrentPosition(0);
    player->play();
    testing::Audio again = testing::renderSeconds(*engine, 0.9);
    EXPECT_GT(first.peak(0, first.frames()), 0.01);
    EXPECT_GT(again.peak(0, again.frames()), 0.01);
    // (FluidSynth warns that bank 8 has no program 40 and plays that of bank 0.)
    EXPECT_EQ(capture.last("").find("Unable"), std::string::npos) << capture.last("");
}

}  // namespace
}  // namespace xmascard::media
