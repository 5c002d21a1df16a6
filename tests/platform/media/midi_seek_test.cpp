// SPDX-License-Identifier: MIT
// A seek into a MIDI piece keeps the programs and controllers set before it and sounds
// the notes that start after it.

#include <gtest/gtest.h>

#include <cmath>

#include "platform/media/audio_engine.h"
#include "platform/media/midi_source.h"
#include "platform/media/fluidsynth/sound_font.h"
#include "support/media_test_support.h"
#include "support/smf_builder.h"

namespace xmascard::media {
namespace {

using testing::Audio;
using testing::framesOf;
using testing::renderSeconds;
using testing::ScratchDir;
using testing::SmfBuilder;

// Channel 0 switches to the church organ (program 19) at the start, sets volume 100 and
// pan 20, and plays one long note at 10 s. With `programChange` false it stays on piano.
std::vector<std::uint8_t> organPiece(bool programChange) {
    SmfBuilder smf(0, 120);
    auto& track = smf.addTrack();
    track.tempo(0, 500000);
    if (programChange) track.at(0, {0xC0, 19});
    track.at(0, {0xB0, 7, 100}).at(0, {0xB0, 10, 20}).at(120, {0xE0, 0x00, 0x50});
    track.note(10 * 240, 2 * 240, 0, 60, 110).end(14 * 240);
    return smf.bytes();
}

TEST(MidiSeek, ReplaysProgramsAndControllersBeforeTheSeekPoint) {
    auto settings = makeFluidSettings(AudioEngine::kSampleRate);
    auto soundFont = SoundFont::load(settings);
    ASSERT_TRUE(soundFont.ok()) << soundFont.error();
    auto parsed = readStandardMidiFile(organPiece(true), AudioEngine::kSampleRate);
    ASSERT_TRUE(parsed.ok());
    auto sequence = std::make_shared<const MidiSequence>(parsed.take());
    testing::FluidPiece piece = testing::fluidPiece(sequence, soundFont.take());
    ASSERT_TRUE(piece.source);
    MidiSource& midi = *piece.source;

    midi.seek(framesOf(9.0));
    fluid_synth_t* synth = piece.synthesizer->synth();
    int sfont = -1, bank = -1, program = -1;
    fluid_synth_get_program(synth, 0, &sfont, &bank, &program);
    EXPECT_EQ(program, 19);
    int value = -1;
    fluid_synth_get_cc(synth, 0, 7, &value);
    EXPECT_EQ(value, 100);
    fluid_synth_get_cc(synth, 0, 10, &value);
    EXPECT_EQ(value, 20);
    int bend = -1;
    fluid_synth_get_pitch_bend(synth, 0, &bend);
    EXPECT_EQ(bend, 0x50 << 7);
    EXPECT_EQ(fluid_synth_get_active_voice_count(synth), 0);

    // A seek back to the start resets what came later.
    midi.seek(0);
    fluid_synth_get_program(synth, 0, &sfont, &bank, &program);
    EXPECT_EQ(program, 0);
}

TEST(MidiSeek, SilencesNotesThatWereSounding) {
    auto settings = makeFluidSettings(AudioEngine::kSampleRate);
    auto soundFont = SoundFont::load(settings);
    ASSERT_TRUE(soundFont.ok()) << soundFont.error();
    auto parsed = readStandardMidiFile(organPiece(true), AudioEngine::kSampleRate);
    testing::FluidPiece piece =
        testing::fluidPiece(std::make_shared<const MidiSequence>(parsed.take()), soundFont.take());
    ASSERT_TRUE(piece.source);
    MidiSource& midi = *piece.source;
    midi.seek(framesOf(10.5));  // inside the note: it does not sound after the seek
    std::vector<float> left(4096), right(4096);
    midi.render(left.data(), right.data(), 4096);
    for (float x : left) ASSERT_LT(std::fabs(x), 1e-6f);
}

double bestCorrelation(const Audio& a, std::int64_t aStart, const Audio& b, std::int64_t bStart,
                       std::int64_t length, int maxLag) {
    double best = -1;
    for (int lag = -maxLag; lag <= maxLag; ++lag) {
        double ab = 0, aa = 0, bb = 0;
        for (std::int64_t i = 0; i < length; ++i) {
            double x = a.left(aStart + i);
            double y = b.left(bStart + i + lag);
            ab += x * y;
            aa += x * x;
            bb += y * y;
        }
        if (aa > 0 && bb > 0) best = std::max(best, ab / std::sqrt(aa * bb));
    }
    return best;
}

TEST(MidiSeek, TheNoteAfterASeekSoundsAsWhenPlayedFromTheStart) {
    ScratchDir dir;
    std::string organ = dir.file("organ.mid", organPiece(true));
    std::string piano = dir.file("piano.mid", organPiece(false));

    auto fromStart = testing::offlineEngine();
    auto p1 = fromStart->createPlayer();
    p1->setFileName(organ);
    Audio reference = renderSeconds(*fromStart, 12.0);

    auto seeking = testing::offlineEngine();
    auto p2 = seeking->createPlayer();
    p2->setFileName(organ);
    renderSeconds(*seeking, 0.3);
    p2->setCurrentPosition(9.0);
    Audio afterSeek = renderSeconds(*seeking, 3.0);

    auto wrong = testing::offlineEngine();
    auto p3 = wrong->createPlayer();
    p3->setFileName(piano);
    p3->setCurrentPosition(9.0);
    Audio pianoAudio = renderSeconds(*wrong, 3.0);

    const std::int64_t length = framesOf(0.5);
    double same = bestCorrelation(reference, framesOf(10.5), afterSeek, framesOf(1.5), length, 128);
    double other =
        bestCorrelation(reference, framesOf(10.5), pianoAudio, framesOf(1.5), length, 128);
    EXPECT_GT(same, 0.95);
    EXPECT_LT(other, 0.8);
    double levelRef = reference.rms(framesOf(10.2), framesOf(11.8));
    double levelSeek = afterSeek.rms(framesOf(1.2), framesOf(2.8));
    EXPECT_NEAR(20 * std::log10(levelSeek / levelRef), 0.0, 0.5);
}

}  // namespace
}  // namespace xmascard::media
