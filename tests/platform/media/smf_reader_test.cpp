// SPDX-License-Identifier: MIT
#include "platform/media/smf_reader.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/smf_builder.h"

namespace xmascard::media {
namespace {

using testing::SmfBuilder;
constexpr int kRate = 44100;

Result<MidiSequence> read(const std::vector<std::uint8_t>& bytes, const SmfLimits& limits = {}) {
    return readStandardMidiFile(bytes, kRate, limits);
}

TEST(SmfReader, Format0NotesLandOnTheirFrames) {
    SmfBuilder smf(0, 96);
    smf.addTrack().at(0, {0xC0, 5}).note(96, 48, 0, 60, 100).end(192);
    auto result = read(smf.bytes());
    ASSERT_TRUE(result.ok()) << result.error();
    const auto& events = result.value().events;
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].frame, 0);
    EXPECT_EQ(events[0].status, 0xC0);
    EXPECT_EQ(events[1].frame, 22050);  // one beat at 120 bpm
    EXPECT_EQ(events[2].frame, 33075);
    EXPECT_EQ(result.value().lengthFrames, 44100);
}

class SmfDivision : public ::testing::TestWithParam<int> {};

TEST_P(SmfDivision, AnyTicksPerQuarterGivesTheSameSeconds) {
    const auto ppq = static_cast<std::uint32_t>(GetParam());
    SmfBuilder smf(0, static_cast<std::uint16_t>(ppq));
    smf.addTrack().tempo(0, 600000).note(3 * ppq, ppq / 2, 0, 60, 100).end(8 * ppq);
    auto result = read(smf.bytes());
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(result.value().events[0].frame, std::llround(1.8 * kRate));
    EXPECT_EQ(result.value().events[1].frame, std::llround(2.1 * kRate));
    EXPECT_EQ(result.value().lengthFrames, std::llround(4.8 * kRate));
}

INSTANTIATE_TEST_SUITE_P(Divisions, SmfDivision, ::testing::Values(24, 96, 120, 480, 960, 32767));

TEST(SmfReader, TempoChangesAreHonouredAcrossTracks) {
    // Conductor: 120 bpm for 4 beats (2 s), then 240 bpm (0.25 s a beat).
    SmfBuilder smf(1, 120);
    smf.addTrack().tempo(0, 500000).tempo(480, 250000).end(1440);
    smf.addTrack().note(240, 10, 0, 60, 100).note(960, 10, 0, 62, 100).end(1440);
    auto result = read(smf.bytes());
    ASSERT_TRUE(result.ok()) << result.error();
    const auto& events = result.value().events;
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].frame, std::llround(1.0 * kRate));  // beat 2 at 120 bpm
    EXPECT_EQ(events[2].frame, std::llround(3.0 * kRate));  // 2 s + 4 beats * 0.25 s
    EXPECT_EQ(result.value().lengthFrames, std::llround(4.0 * kRate));
}

TEST(SmfReader, TracksMergeInTimeOrderKeepingTrackOrderOnTies) {
    SmfBuilder smf(1, 96);
    smf.addTrack().at(0, {0xB0, 7, 100}).at(96, {0xB0, 7, 90}).end(96);
    smf.addTrack().at(0, {0xC1, 3}).at(48, {0xC1, 4}).end(96);
    auto result = read(smf.bytes());
    ASSERT_TRUE(result.ok()) << result.error();
    const auto& e = result.value().events;
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].status, 0xB0);
    EXPECT_EQ(e[1].status, 0xC1);
    EXPECT_EQ(e[2].data1, 4);
    EXPECT_EQ(e[3].data2, 90);
}

TEST(SmfReader, RunningStatusIsHonouredAlsoAfterMetaAndSysex) {
    SmfBuilder smf(0, 96);
    smf.addTrack()
        .at(0, {0x90, 60, 100})
        .at(10, {62, 100})                     // running status
        .at(20, {0xFF, 0x01, 0x02, 'h', 'i'})  // text
        .at(20, {64, 100})                     // running status after a meta event
        .at(30, {0xF0, 0x02, 0x7E, 0xF7})      // system exclusive
        .at(30, {65, 0})
        .end(40);
    auto result = read(smf.bytes());
    ASSERT_TRUE(result.ok()) << result.error();
    const auto& e = result.value().events;
    ASSERT_EQ(e.size(), 4u);
    for (const auto& event : e) EXPECT_EQ(event.status, 0x90);
    EXPECT_EQ(e[3].data1, 65);
    EXPECT_EQ(e[3].data2, 0);
}

TEST(SmfReader, OneByteMessagesTakeOneDataByte) {
    SmfBuilder smf(0, 96);
    smf.addTrack().at(0, {0xC3, 10}).at(0, {0xD3, 40}).at(0, {0xE3, 0x00, 0x40}).end(1);
    auto result = read(smf.bytes());
    ASSERT_TRUE(result.ok()) << result.error();
    ASSERT_EQ(result.value().events.size(), 3u);
    EXPECT_EQ(result.value().events[1].data1, 40);
    EXPECT_EQ(result.value().events[2].data2, 0x40);
}

TEST(SmfReader, SmpteDivisionCountsRealTime) {
    // 25 frames per second, 40 ticks per frame: one tick is one millisecond.
    SmfBuilder smf(0, static_cast<std::uint16_t>((0x100 - 25) << 8 | 40));
    smf.addTrack().tempo(0, 250000).note(1500, 500, 0, 60, 100).end(3000);
    auto result = read(smf.bytes());
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(result.value().events[0].frame, std::llround(1.5 * kRate));
    EXPECT_EQ(result.value().lengthFrames, 3 * kRate);
}

TEST(SmfReader, SmpteDropFrameRate) {
    SmfBuilder smf(0, static_cast<std::uint16_t>((0x100 - 29) << 8 | 100));
    smf.addTrack().end(2997);  // 2997 ticks = 29.97 frames = 1.0 s
    auto result = read(smf.bytes());
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(result.value().lengthFrames, kRate);
}

TEST(SmfReader, UnknownChunksAreSkipped) {
    SmfBuilder smf(0, 96);
    smf.addTrack().note(0, 96, 0, 60, 100).end(96);
    auto bytes = smf.bytes();
    std::vector<std::uint8_t> alien = {'X', 'F', 'I', 'H', 0, 0, 0, 2, 1, 2};
    bytes.insert(bytes.begin() + 14, alien.begin(), alien.end());
    auto result = read(bytes);
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(result.value().events.size(), 2u);
}

TEST(SmfReader, MissingEndOfTrackEndsAtTheLastEvent) {
    SmfBuilder smf(0, 96);
    smf.addTrack().note(0, 96, 0, 60, 100);
    auto result = read(smf.bytes());
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(result.value().lengthFrames, 22050);
}

struct BrokenRow {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* message;  // a part of the expected message
};

void PrintTo(const BrokenRow& row, std::ostream* os) { *os << row.name; }

std::vector<std::uint8_t> withHeader(std::uint16_t format, std::uint16_t tracks,
                                     std::uint16_t division, std::vector<std::uint8_t> tail = {}) {
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    SmfBuilder::push16(out, format);
    SmfBuilder::push16(out, tracks);
    SmfBuilder::push16(out, division);
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

std::vector<BrokenRow> brokenFiles() {
    std::vector<BrokenRow> rows;
    rows.push_back({"Empty", {}, "no MThd"});
    rows.push_back({"NotMidi", {'R', 'I', 'F', 'F', 0, 0, 0, 0}, "no MThd"});
    rows.push_back({"ShortHeader", {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1}, "header is truncated"});
    rows.push_back({"ZeroDivision", withHeader(0, 1, 0), "division is 0"});
    rows.push_back({"BadSmpteRate", withHeader(0, 1, 0xE528), "SMPTE frame rate"});
    rows.push_back({"SmpteZeroTicks", withHeader(0, 1, 0xE700), "0 ticks per frame"});
    rows.push_back({"Format2", withHeader(2, 1, 96), "format 2"});
    rows.push_back({"Format7", withHeader(7, 1, 96), "unknown MIDI format 7"});
    rows.push_back({"NoTracks", withHeader(1, 0, 96), "declares no tracks"});
    rows.push_back({"TracksMissing", withHeader(1, 3, 96), "declares 3 tracks but holds 0"});
    rows.push_back({"TrackPastEnd",
                    withHeader(0, 1, 96, {'M', 'T', 'r', 'k', 0, 0, 1, 0, 0, 0x90, 60, 100}),
                    "track 1 runs past the end of the file"});
    {
        SmfBuilder smf(0, 96);
        smf.addTrack().raw({0x00, 60, 100});
        rows.push_back({"RunningStatusAtTrackStart", smf.bytes(), "running status without"});
    }
    {
        SmfBuilder smf(1, 96);
        smf.addTrack().at(0, {0x90, 60, 100}).end(10);
        smf.addTrack().raw({0x00, 62, 100});  // running status does not carry over tracks
        rows.push_back({"RunningStatusFromAnotherTrack", smf.bytes(), "track 2: running status"});
    }
    {
        SmfBuilder smf(0, 96);
        smf.addTrack().tempo(0, 0).end(10);
        rows.push_back({"ZeroTempo", smf.bytes(), "tempo of 0"});
    }
    {
        SmfBuilder smf(0, 1);  // one tick a quarter note at the slowest tempo: 16.7 s a tick
        smf.addTrack().tempo(0, 0xFFFFFF).note(0, 1, 0, 60, 100).end(300);
        rows.push_back({"AbsurdTempoMakesItTooLong", smf.bytes(), "more than the limit"});
    }
    {
        SmfBuilder smf(0, 96);
        smf.addTrack().at(0, {0x90, 60, 100}).raw({0x00, 0x90, 0x80, 0x10});
        rows.push_back({"DataByteOutOfRange", smf.bytes(), "data byte 0x80"});
    }
    {
        SmfBuilder smf(0, 96);
        smf.addTrack().raw({0x81, 0x80, 0x80, 0x80, 0x00, 0x90, 60, 100});
        rows.push_back({"DeltaTooLong", smf.bytes(), "longer than 4 bytes"});
    }
    {
        SmfBuilder smf(0, 96);
        smf.addTrack().at(0, {0x90, 60});
        rows.push_back({"TruncatedMessage", smf.bytes(), "track 1 is truncated"});
    }
    {
        SmfBuilder smf(0, 96);
        smf.addTrack().at(0, {0xF0, 0x10, 1, 2});
        rows.push_back({"TruncatedSysex", smf.bytes(), "system exclusive message is truncated"});
    }
    {
        SmfBuilder smf(0, 96);
        smf.addTrack().at(0, {0xFF, 0x03, 0x20, 'a'});
        rows.push_back({"TruncatedMeta", smf.bytes(), "meta event is truncated"});
    }
    {
        SmfBuilder smf(0, 96);
        smf.addTrack().at(0, {0xF2, 0, 0});
        rows.push_back({"SystemCommonInFile", smf.bytes(), "system message 0xF2"});
    }
    {
        SmfBuilder smf(0, 96);
        smf.addTrack().note(0, 10, 0, 60, 100).end(20);
        auto full = smf.bytes();
        full.resize(full.size() - 5);  // cut inside the track
        rows.push_back({"TruncatedFile", full, "runs past the end of the file"});
    }
    return rows;
}

class SmfBroken : public ::testing::TestWithParam<BrokenRow> {};

TEST_P(SmfBroken, GivesOneClearMessageAndNoSequence) {
    auto result = read(GetParam().bytes);
    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().find(GetParam().message), std::string::npos) << result.error();
    EXPECT_EQ(result.error().find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Files, SmfBroken, ::testing::ValuesIn(brokenFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SmfReader, TooManyEventsIsRefused) {
    SmfBuilder smf(0, 96);
    {
        auto& track = smf.addTrack();
        for (int i = 0; i < 100; ++i) track.note(static_cast<std::uint32_t>(i), 1, 0, 60, 100);
        track.end(200);
    }
    SmfLimits limits;
    limits.maxEvents = 150;
    auto result = read(smf.bytes(), limits);
    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().find("more than 150 MIDI events"), std::string::npos);
}

TEST(SmfReader, ReadsTheCardLikePiece) {
    auto result = read(testing::cardLikePiece());
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(result.value().trackCount, 8);
    EXPECT_EQ(result.value().lengthFrames, std::llround(32518 / 240.0 * kRate));
    EXPECT_GT(result.value().events.size(), 3400u);
}

}  // namespace
}  // namespace xmascard::media
