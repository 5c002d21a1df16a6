// SPDX-License-Identifier: MIT
// Reads every embedded picture, cursor and sound and checks the properties the windows and
// players depend on: formats and pixel sizes (picture boxes take their picture's size), the
// exact key colour of the pictures that shape a window, the music's instruments as the card's
// own MIDI reader reads them, and the MP3's byte layout.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "layout/companion_layouts.h"
#include "layout/form_tree_layout.h"
#include "platform/media/smf_reader.h"
#include "platform/resources.h"
#include "support/test_graphics.h"

namespace xmascard {
namespace {

std::vector<std::uint8_t> readEmbedded(const char* name) {
    const auto bytes = embeddedFile(name);
    if (!bytes) return {};
    return {bytes->begin(), bytes->end()};
}

Picture readPicture(const char* name) {
    const auto bytes = embeddedFile(name);
    std::string why;
    return bytes ? testing::testGraphics().decode(*bytes, why) : Picture();
}

// The format a file's first bytes name.
std::string formatOf(const std::vector<std::uint8_t>& b) {
    const auto starts = [&](std::initializer_list<int> magic) {
        return b.size() >= magic.size() && std::equal(magic.begin(), magic.end(), b.begin(),
                                                      [](int m, std::uint8_t v) { return m == v; });
    };
    if (starts({'G', 'I', 'F', '8'})) return "gif";
    if (starts({0xFF, 0xD8, 0xFF})) return "jpeg";
    if (starts({'B', 'M'})) return "bmp";
    if (starts({0x89, 'P', 'N', 'G'})) return "png";
    return "unknown";
}

// ---------------------------------------------------------------------------
// Pictures

enum class Background { Any, ExactWhite, Transparent };

struct PictureRow {
    const char* path;
    const char* format;
    int width;
    int height;
    Background background;
    int bmpBitsPerPixel;  // 0 for other formats
};

void PrintTo(const PictureRow& row, std::ostream* os) { *os << row.path; }

class EmbeddedAssetPicture : public ::testing::TestWithParam<PictureRow> {};

TEST_P(EmbeddedAssetPicture, HasItsFormatSizeAndBackground) {
    const PictureRow& row = GetParam();
    const std::vector<std::uint8_t> bytes = readEmbedded(row.path);
    EXPECT_EQ(formatOf(bytes), row.format);

    const Picture picture = readPicture(row.path);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), row.width);
    EXPECT_EQ(picture.height(), row.height);

    const Color corner = picture.pixel(0, 0);
    if (row.background == Background::ExactWhite) {
        EXPECT_EQ(corner, RGB(255, 255, 255)) << "the window's key colour is read at (0, 0)";
    } else if (row.background == Background::Transparent) {
        EXPECT_EQ(corner, kInvalidColor) << "transparent";
    }

    if (row.bmpBitsPerPixel != 0) {
        ASSERT_GT(bytes.size(), 30u);
        EXPECT_EQ(bytes[28], row.bmpBitsPerPixel);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllPictures, EmbeddedAssetPicture,
    ::testing::Values(
        PictureRow{"pictures/tree.gif", "gif", 308, 398, Background::ExactWhite, 0},
        PictureRow{"pictures/happy_new_year.jpg", "jpeg", 188, 304, Background::Any, 0},
        PictureRow{"pictures/seasons_greetings.jpg", "jpeg", 155, 210, Background::Any, 0},
        PictureRow{"pictures/merry_christmas.jpg", "jpeg", 125, 193, Background::Any, 0},
        PictureRow{"pictures/help_button.gif", "gif", 18, 18, Background::Transparent, 0},
        PictureRow{"pictures/plug.gif", "gif", 42, 19, Background::Transparent, 0},
        PictureRow{"pictures/cherub1.gif", "gif", 150, 163, Background::Transparent, 0},
        PictureRow{"pictures/cherub2.gif", "gif", 150, 163, Background::Transparent, 0},
        PictureRow{"pictures/cherub3.gif", "gif", 150, 163, Background::Transparent, 0},
        PictureRow{"pictures/cherub4.gif", "gif", 150, 163, Background::Transparent, 0},
        PictureRow{"pictures/speech_bubble.bmp", "bmp", 272, 157, Background::ExactWhite, 24},
        PictureRow{"pictures/madonna.jpg", "jpeg", 156, 234, Background::Any, 0},
        PictureRow{"pictures/greeting_script.gif", "gif", 149, 72, Background::Transparent, 0},
        PictureRow{"pictures/save_normal.bmp", "bmp", 54, 29, Background::Any, 24},
        PictureRow{"pictures/save_pressed.bmp", "bmp", 54, 29, Background::Any, 24},
        PictureRow{"pictures/merry_christmas_panel.bmp", "bmp", 200, 130, Background::ExactWhite,
                   24},
        PictureRow{"cursors/hand_point.png", "png", 32, 32, Background::Transparent, 0},
        PictureRow{"cursors/hand_prohibited.png", "png", 32, 32, Background::Transparent, 0},
        PictureRow{"cursors/hand_open.png", "png", 32, 32, Background::Transparent, 0},
        PictureRow{"icon/tree-32.png", "png", 32, 32, Background::Transparent, 0},
        PictureRow{"icon/tree-16.png", "png", 16, 16, Background::Transparent, 0}));

bool isWhite(Color pixel) { return pixel == RGB(255, 255, 255); }

// The window is cut to the tree's outline by keying out white, so whatever the
// program draws on the tree must lie on non-white pixels or it is cut away.
TEST(EmbeddedAssetTree, LightsButtonAndPlugLieOnTheTree) {
    const Picture tree = readPicture("pictures/tree.gif");
    ASSERT_FALSE(tree.isNull());
    for (int y = 0; y < tree.height(); ++y)
        for (int x = 0; x < tree.width(); ++x)
            ASSERT_NE(tree.pixel(x, y), kInvalidColor) << "the tree has no transparent colour";

    // Each light is a 15 x 15 pixel circle at its place in the layout (twips).
    for (const layout::LightDesign& light : layout::treeLights()) {
        const double left = light.left / 15.0;
        const double top = light.top / 15.0;
        int whites = 0;
        int brightChannels = 0;
        int pixels = 0;
        for (int y = static_cast<int>(top); y < static_cast<int>(top) + 16; ++y) {
            for (int x = static_cast<int>(left); x < static_cast<int>(left) + 16; ++x) {
                const double dx = x + 0.5 - (left + 7.5);
                const double dy = y + 0.5 - (top + 7.5);
                if (dx * dx + dy * dy > 7.5 * 7.5) continue;
                const Color p = tree.pixel(x, y);
                whites += isWhite(p) ? 1 : 0;
                brightChannels += redOf(p) + greenOf(p) + blueOf(p);
                ++pixels;
            }
        }
        EXPECT_EQ(whites, 0) << "light " << light.index << " reaches past the tree";
        // The light is ANDed onto the picture: on a dark spot it would vanish.
        EXPECT_GT(brightChannels / (3 * pixels), 150)
            << "light " << light.index << " sits on a dark spot";
    }

    // The question-mark button and the plug, at their places in the layout.
    for (const ControlDesign& design : layout::formTreeControls()) {
        if (std::string(design.name) != "Picture1" && std::string(design.name) != "Image2")
            continue;
        const int left = static_cast<int>(design.place.left / 15);
        const int top = static_cast<int>(design.place.top / 15);
        const int right = static_cast<int>((design.place.left + design.place.width) / 15);
        const int bottom = static_cast<int>((design.place.top + design.place.height) / 15);
        for (int y = top; y < bottom && y < tree.height(); ++y)
            for (int x = left; x < right; ++x)
                ASSERT_FALSE(isWhite(tree.pixel(x, y))) << design.name << " at " << x << "," << y;
    }
}

// The skin window keys out its picture box's grey back colour where the cherub's
// transparent background shows it; the figure must be free of that grey.
TEST(EmbeddedAssetCherub, FramesAreFreeOfTheBoxGrey) {
    for (const char* name : {"pictures/cherub1.gif", "pictures/cherub2.gif", "pictures/cherub3.gif",
                             "pictures/cherub4.gif"}) {
        const Picture image = readPicture(name);
        ASSERT_FALSE(image.isNull());
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const Color p = image.pixel(x, y);
                if (p == kInvalidColor) continue;
                ++opaque;
                ASSERT_NE(p, RGB(0xEF, 0xEF, 0xEF)) << name << " at " << x << "," << y;
                ASSERT_NE(p, RGB(0xF0, 0xF0, 0xF0)) << name << " at " << x << "," << y;
            }
        }
        EXPECT_GT(opaque, image.width() * image.height() / 5) << name << " shows a figure";
    }
}

// Every cursor the layout gives a control: its hot spot lies on the hand, of few colours.
TEST(EmbeddedAssetCursor, HotSpotsLieOnTheHand) {
    std::set<std::tuple<std::string, int, int>> cursors;
    for (const auto controls : {layout::formTreeControls(), layout::form2Controls(),
                                layout::form3Controls(), layout::form4Controls(),
                                layout::form5Controls()})
        for (const ControlDesign& design : controls)
            if (!design.cursor.isDefault())
                cursors.emplace(design.cursor.picture, design.cursor.hotX, design.cursor.hotY);
    EXPECT_GE(cursors.size(), 2u);
    for (const auto& [path, hotX, hotY] : cursors) {
        const Picture image = readPicture(path.c_str());
        ASSERT_FALSE(image.isNull()) << path;
        EXPECT_NE(image.pixel(hotX, hotY), kInvalidColor) << path;
        std::set<Color> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
        EXPECT_LE(colours.size(), 16u) << path;
    }
}

// ---------------------------------------------------------------------------
// The music

std::uint32_t bigEndian(const std::vector<std::uint8_t>& b, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

constexpr int kRate = 44100;

media::MidiSequence music() {
    auto read = media::readStandardMidiFile(readEmbedded("CUSTOM/101"), kRate);
    EXPECT_TRUE(read.ok());
    return read.ok() ? read.value() : media::MidiSequence{};
}

TEST(EmbeddedAssetMusic, IsAFormat1FileOfEightTracksAndTwoMinutesFifteen) {
    const std::vector<std::uint8_t> file = readEmbedded("CUSTOM/101");
    ASSERT_GE(file.size(), 14u);
    EXPECT_EQ(bigEndian(file, 12, 2), 120u) << "ticks per quarter note";
    const media::MidiSequence piece = music();
    EXPECT_EQ(piece.format, 1);
    EXPECT_EQ(piece.trackCount, 8);
    // 32518 ticks at one tempo of 500000 us per quarter note: 135.49 s.
    EXPECT_NEAR(static_cast<double>(piece.lengthFrames) / kRate, 32518 / 120.0 * 0.5, 0.001);
}

struct ChannelRow {
    const char* instrument;
    int channel;
    int program;
    int pan;
    bool sustain;
    bool modulation;
};

void PrintTo(const ChannelRow& row, std::ostream* os) { *os << row.instrument; }

class EmbeddedAssetMusicChannel : public ::testing::TestWithParam<ChannelRow> {};

TEST_P(EmbeddedAssetMusicChannel, PlaysOneInstrumentAtItsVolumeAndPlace) {
    const ChannelRow& row = GetParam();
    std::optional<int> program, volume, pan;
    int notes = 0;
    bool sustain = false, modulation = false, pitchBend = false;
    for (const media::MidiEvent& e : music().events) {
        if (e.channel() != row.channel) continue;
        if (e.kind() == 0xC0 && e.frame == 0) program = e.data1;
        if (e.kind() == 0xB0 && e.data1 == 7 && e.frame == 0) volume = e.data2;
        if (e.kind() == 0xB0 && e.data1 == 10 && e.frame == 0) pan = e.data2;
        sustain |= e.kind() == 0xB0 && e.data1 == 64;
        modulation |= e.kind() == 0xB0 && e.data1 == 1;
        pitchBend |= e.kind() == 0xE0;
        notes += (e.kind() == 0x90 && e.data2 > 0) ? 1 : 0;
    }
    EXPECT_EQ(program, row.program);
    EXPECT_EQ(volume, 125);
    EXPECT_EQ(pan, row.pan);
    EXPECT_EQ(sustain, row.sustain);
    EXPECT_EQ(modulation, row.modulation);
    EXPECT_FALSE(pitchBend);
    EXPECT_GT(notes, 0);
}

INSTANTIATE_TEST_SUITE_P(SevenInstruments, EmbeddedAssetMusicChannel,
                         ::testing::Values(ChannelRow{"Strings", 1, 48, 0, false, false},
                                           ChannelRow{"Clarinet", 2, 71, 90, false, false},
                                           ChannelRow{"Celesta", 3, 8, 30, false, false},
                                           ChannelRow{"Harp", 4, 46, 75, false, false},
                                           ChannelRow{"El Piano", 0, 4, 64, true, false},
                                           ChannelRow{"Harmonica", 5, 22, 55, false, true},
                                           ChannelRow{"Ac Bass", 6, 32, 120, true, false}));

// No channel but the instruments' sounds: nothing plays on the drum channel or elsewhere.
TEST(EmbeddedAssetMusic, UsesOnlyTheSevenInstrumentChannels) {
    std::set<int> channels;
    for (const media::MidiEvent& e : music().events) channels.insert(e.channel());
    EXPECT_EQ(channels, (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
}

// ---------------------------------------------------------------------------
// The bells

TEST(EmbeddedAssetBells, IsTaggedMpeg1Layer3OfExactlyOneHundredAndFiveFrames) {
    const std::vector<std::uint8_t> file = readEmbedded("CUSTOM/102");
    ASSERT_GT(file.size(), 1024u + 128u);
    const auto bytes = [&](std::size_t at, std::size_t n) {
        return std::string(file.begin() + static_cast<long>(at),
                           file.begin() + static_cast<long>(at + n));
    };

    // ID3 v2.3, no flags, 1014 bytes of tag data (synchsafe), one genre frame, zero padding.
    EXPECT_EQ(bytes(0, 6), std::string("ID3\x03\x00\x00", 6));
    EXPECT_EQ(bytes(6, 4), std::string("\x00\x00\x07\x76", 4));
    EXPECT_EQ(bytes(10, 10), std::string("TCON\x00\x00\x00\x06\x00\x00", 10));
    EXPECT_EQ(bytes(20, 6), std::string("\x00"
                                        "Blues",
                                        6));
    EXPECT_EQ(bytes(26, 1024 - 26), std::string(1024 - 26, '\0'));

    // ID3 v1: "TAG" and nothing else.
    const std::size_t v1 = file.size() - 128;
    EXPECT_EQ(bytes(v1, 3), "TAG");
    EXPECT_EQ(bytes(v1 + 3, 125), std::string(125, '\0'));

    const int audioEnd = static_cast<int>(file.size()) - 128;
    int at = 1024;
    int frames = 0;
    while (at < audioEnd) {
        const std::uint32_t h = bigEndian(file, static_cast<std::size_t>(at), 4);
        ASSERT_EQ(h >> 21, 0x7FFu) << "frame sync at byte " << at;
        EXPECT_EQ((h >> 19) & 3, 3u) << "MPEG-1";
        EXPECT_EQ((h >> 17) & 3, 1u) << "Layer III";
        EXPECT_EQ((h >> 16) & 1, 1u) << "no CRC";
        EXPECT_EQ((h >> 12) & 15, 7u) << "96 kbit/s";
        EXPECT_EQ((h >> 10) & 3, 0u) << "44.1 kHz";
        EXPECT_EQ((h >> 6) & 3, 3u) << "mono";
        // An encoder info frame stores its tag after the 17 bytes of mono side information.
        const std::string tag = bytes(static_cast<std::size_t>(at) + 4 + 17, 4);
        EXPECT_NE(tag, "Xing");
        EXPECT_NE(tag, "Info");
        at += 144 * 96000 / 44100 + static_cast<int>((h >> 9) & 1);
        ++frames;
    }
    EXPECT_EQ(at, audioEnd) << "the last frame ends where the ID3 v1 tag begins";
    EXPECT_EQ(frames, 105);
}

}  // namespace
}  // namespace xmascard
