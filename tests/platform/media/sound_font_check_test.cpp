// SPDX-License-Identifier: MIT
// The SoundFont check refuses what FluidSynth's own loader would refuse, so that such a file
// never reaches libinstpatch's loader and its GLib CRITICAL lines; what still gets through is
// told in the card's one line, never on standard error by GLib.

#include "platform/media/fluidsynth/sound_font_check.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "platform/media/fluidsynth/sound_font.h"
#include "support/media_test_support.h"

namespace xmascard::media {
namespace {

using testing::fixture;
using testing::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

// Offsets into fixtures/sf2/tiny.sf2 (made by hand: one preset, instrument and sample).
std::size_t find(const Bytes& bytes, const char* id) {
    const std::string text(bytes.begin(), bytes.end());
    return text.find(id);
}
void put16(Bytes& b, std::size_t at, int value) {
    b[at] = static_cast<std::uint8_t>(value);
    b[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

struct Damage {
    const char* name;
    std::function<void(Bytes&)> damage;  // applied to tiny.sf2's bytes
    const char* refusal;                 // "" when the file is sound
};

void PrintTo(const Damage& row, std::ostream* os) { *os << row.name; }

std::vector<Damage> damages() {
    return {
        {"Sound", [](Bytes&) {}, ""},
        {"NotRiff", [](Bytes& b) { b[0] = 'X'; }, "not a SoundFont file"},
        {"Truncated", [](Bytes& b) { b.erase(b.end() - 100, b.end()); },
         "the SoundFont file is truncated or damaged"},
        {"VersionOne", [](Bytes& b) { put16(b, find(b, "ifil") + 8, 1); },
         "a SoundFont of version 1"},
        {"UnknownInfo", [](Bytes& b) { b[find(b, "INAM")] = 'X'; },
         "the SoundFont's INFO list is damaged"},
        {"NoSampleData", [](Bytes& b) { b[find(b, "smpl")] = 'X'; },
         "the SoundFont has no sample data"},
        {"TablesOutOfOrder",
         [](Bytes& b) {
             const std::size_t mod = find(b, "pmod"), gen = find(b, "pgen");
             for (int i = 0; i < 4; ++i) std::swap(b[mod + i], b[gen + i]);
         },
         "the SoundFont's pmod table is missing"},
        {"PartialRecord", [](Bytes& b) { put16(b, find(b, "pbag") + 4, 7); },
         "the SoundFont's pbag table is damaged"},
        {"PresetZonesOutOfRange", [](Bytes& b) { put16(b, find(b, "phdr") + 8 + 38 + 24, 9); },
         "the SoundFont's phdr table points outside pbag"},
        {"PresetZonesGoingBack",
         [](Bytes& b) {
             put16(b, find(b, "phdr") + 8 + 24, 1);
             put16(b, find(b, "phdr") + 8 + 38 + 24, 0);
         },
         "the SoundFont's phdr table points outside pbag"},
        {"NoSuchSample", [](Bytes& b) { put16(b, find(b, "igen") + 8 + 2, 1); },
         "the SoundFont's igen table names no sample there is"},
        {"NoSuchInstrument", [](Bytes& b) { put16(b, find(b, "pgen") + 8 + 2, 3); },
         "the SoundFont's pgen table names no instrument there is"},
        {"GeneratorsOutOfRange", [](Bytes& b) { put16(b, find(b, "ibag") + 8 + 4, 5); },
         "the SoundFont's ibag table points outside igen"},
    };
}

class SoundFontDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(SoundFontDamage, IsRefusedBeforeFluidSynthSeesIt) {
    ScratchDir dir;
    Bytes bytes = testing::readBytes(fixture("sf2/tiny.sf2"));
    ASSERT_FALSE(bytes.empty());
    GetParam().damage(bytes);
    const std::string path = dir.file("font.sf2", bytes);
    EXPECT_EQ(checkSoundFontFile(path), GetParam().refusal);

    ::testing::internal::CaptureStderr();
    auto loaded = SoundFont::load(makeFluidSettings(44100), path);
    const std::string text = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(text, "");
    EXPECT_EQ(loaded.ok(), std::string(GetParam().refusal).empty()) << loaded.error();
    if (!loaded.ok()) {
        EXPECT_NE(loaded.error().find(GetParam().refusal), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SoundFontDamage, ::testing::ValuesIn(damages()),
                         [](const auto& info) { return std::string(info.param.name); });

// Every SoundFont kept under fixtures/sf2 (the fuzzer's findings among them) loads or is
// refused in the card's words alone: no GLib line on standard error, no hang on a FIFO.
TEST(SoundFontFixtures, NeverReachStandardErrorThroughGLib) {
    ScratchDir dir;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(fixture("sf2")))
        files.push_back(entry.path().string());
    const std::string fifo = dir.path("fifo.sf2");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    files.push_back(fifo);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        ::testing::internal::CaptureStderr();
        auto loaded = SoundFont::load(makeFluidSettings(44100), file);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        if (!loaded.ok()) {
            EXPECT_FALSE(loaded.error().empty());
        }
    }
}

}  // namespace
}  // namespace xmascard::media
