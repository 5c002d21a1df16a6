// SPDX-License-Identifier: MIT
// A piece's synthesizer loads from the SoundFont the presets the piece uses, with all their
// samples, when the piece is loaded; nothing is read while it plays, and it sounds as the
// whole file would.

#include "platform/media/fluidsynth/sound_font.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <set>

#include "platform/media/audio_engine.h"
#include "platform/media/fluidsynth/fluid_synthesizer.h"
#include "platform/media/fluidsynth/sound_font_subset.h"
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

// The presets of the SoundFont that a program change selects, as FluidSynth sees them: with
// every sample they play in memory, the file is not needed while they sound.
std::set<std::pair<int, int>> presetsIn(fluid_synth_t* synth) {
    std::set<std::pair<int, int>> presets;
    fluid_sfont_t* font = fluid_synth_get_sfont(synth, 0);
    fluid_sfont_iteration_start(font);
    while (fluid_preset_t* preset = fluid_sfont_iteration_next(font))
        presets.emplace(fluid_preset_get_banknum(preset), fluid_preset_get_num(preset));
    return presets;
}

// A piece's synthesizer holds the presets the piece selects, as FluidSynth falls back from
// those the font lacks, and the ones a reset selects; no other. They play with the file gone.
TEST(SoundFontPresets, APieceHoldsWhatItSelectsAndPlaysWithoutTheFile) {
    ScratchDir dir;
    const std::string copy = copyOfTheInstalledFont(dir);
    ASSERT_FALSE(copy.empty());
    auto loaded = SoundFont::load(makeFluidSettings(AudioEngine::kSampleRate), copy);
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    // No bank 77: the bank 0 organ. No drum kit 99: the standard kit.
    auto made = FluidSynthesizer::create(
        makeFluidSettings(MidiSource::synthesisRate(AudioEngine::kSampleRate)), *loaded.value(),
        {{0, 19}, {77, 19}, {128, 99}});
    ASSERT_TRUE(made.ok()) << made.error();
    std::filesystem::remove(copy);
    FluidSynthesizer& synthesizer = *made.value();
    EXPECT_EQ(presetsIn(synthesizer.synth()),
              (std::set<std::pair<int, int>>{{0, 0}, {0, 19}, {128, 0}}));

    MidiSource organ(oneNote(19), made.take());
    FluidErrorCapture capture;
    std::vector<float> left(AudioEngine::kSampleRate), right(AudioEngine::kSampleRate);
    organ.render(left.data(), right.data(), AudioEngine::kSampleRate);
    float peak = 0;
    for (float x : left) peak = std::max(peak, std::fabs(x));
    EXPECT_GT(peak, 0.01f);
    EXPECT_EQ(capture.last(""), "");
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

// A piece of several instruments, some of which the font lacks: an organ, a violin asked
// for in a bank there is not, a drum kit there is not and the standard kit, each held long
// enough that its loop plays, the drums' notes ringing out.
std::shared_ptr<const MidiSequence> ensemble() {
    SmfBuilder smf(0, 480);
    smf.addTrack()
        .tempo(0, 500000)
        .at(0, {0xC0, 19})
        .at(0, {0xB1, 0, 8})
        .at(0, {0xC1, 40})
        .at(0, {0xC9, 99})
        .at(0, {0xB0, 91, 100})
        .at(0, {0xB1, 93, 90})
        .note(96, 1440, 0, 60, 110)
        .note(200, 1200, 1, 76, 100)
        .note(300, 60, 9, 38, 120)
        .at(700, {0xC9, 25})
        .note(720, 60, 9, 36, 120)
        .end(2400);
    auto parsed = readStandardMidiFile(smf.bytes(), AudioEngine::kSampleRate);
    return std::make_shared<const MidiSequence>(parsed.take());
}

// The presets of a piece cut out of a SoundFont sound exactly, sample for sample, as the
// same presets in the whole file: the zones, generators, modulators and sample points that
// reach the synthesizer are the same. The cut holds a small part of the file.
TEST(SoundFontSubset, SoundsExactlyAsTheWholeFile) {
    auto installed = SoundFont::load(makeFluidSettings(AudioEngine::kSampleRate));
    ASSERT_TRUE(installed.ok()) << installed.error();
    const auto piece = ensemble();
    for (const std::string& path :
         std::vector<std::string>{installed.value()->path(), testing::fixture("sf2/tiny.sf2")}) {
        SCOPED_TRACE(path);
        const auto settings =
            makeFluidSettings(MidiSource::synthesisRate(AudioEngine::kSampleRate));
        auto font = SoundFont::load(settings, path);
        ASSERT_TRUE(font.ok()) << font.error();
        std::array<std::vector<float>, 2> left, right;
        for (int whole = 0; whole < 2; ++whole) {
            auto made =
                FluidSynthesizer::create(settings, *font.value(), MidiSource::presetsOf(*piece));
            ASSERT_TRUE(made.ok()) << made.error();
            fluid_synth_t* synth = made.value()->synth();
            if (whole) {
                fluid_synth_sfunload(synth, fluid_sfont_get_id(fluid_synth_get_sfont(synth, 0)), 1);
                ASSERT_GE(fluid_synth_sfload(synth, path.c_str(), 1), 0);
            }
            MidiSource source(piece, made.take());
            source.seek(0);
            constexpr int kFrames = 3 * AudioEngine::kSampleRate;
            left[whole].resize(kFrames);
            right[whole].resize(kFrames);
            source.render(left[whole].data(), right[whole].data(), kFrames);
        }
        EXPECT_TRUE(left[0] == left[1] && right[0] == right[1]);
        double energy = 0;
        for (float s : left[0]) energy += double{s} * s;
        EXPECT_GT(energy, 1e-3) << "the piece sounds";
    }
    const auto cut = soundFontSubset(installed.value()->path(), MidiSource::presetsOf(*piece));
    ASSERT_TRUE(cut.ok()) << cut.error();
    EXPECT_LT(cut.value().size(), std::filesystem::file_size(installed.value()->path()) / 4);
}

}  // namespace
}  // namespace xmascard::media
