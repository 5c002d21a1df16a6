// SPDX-License-Identifier: MIT
// Reads every embedded picture, cursor, icon and sound through the Qt resource
// system and checks the properties the windows and players depend on: formats and
// pixel sizes (picture boxes take their picture's size), the exact key colour of
// the pictures that shape a window, the MIDI file's tracks and the MP3's byte layout.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The resource initialiser lives in a static library; referencing it keeps it linked.
static void initEmbeddedAssets() { Q_INIT_RESOURCE(assets); }

namespace {

QByteArray readResource(const QString& path) {
    initEmbeddedAssets();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QImage readImage(const QString& path) {
    initEmbeddedAssets();
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
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
    initEmbeddedAssets();
    QImageReader reader(QString::fromLatin1(row.path));
    ASSERT_TRUE(reader.canRead()) << row.path;
    EXPECT_EQ(reader.format().toStdString(), row.format);

    const QImage image = readImage(QString::fromLatin1(row.path));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), row.width);
    EXPECT_EQ(image.height(), row.height);

    const QRgb corner = image.pixel(0, 0);
    if (row.background == Background::ExactWhite) {
        EXPECT_EQ(corner, qRgba(255, 255, 255, 255)) << "the window's key colour is read at (0, 0)";
    } else if (row.background == Background::Transparent) {
        EXPECT_EQ(qAlpha(corner), 0);
    }

    if (row.bmpBitsPerPixel != 0) {
        const QByteArray bytes = readResource(QString::fromLatin1(row.path));
        ASSERT_GT(bytes.size(), 30);
        EXPECT_EQ(static_cast<uint8_t>(bytes[28]), row.bmpBitsPerPixel);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllPictures, EmbeddedAssetPicture,
    ::testing::Values(
        PictureRow{":/pictures/tree.gif", "gif", 308, 398, Background::ExactWhite, 0},
        PictureRow{":/pictures/happy_new_year.jpg", "jpeg", 188, 304, Background::Any, 0},
        PictureRow{":/pictures/seasons_greetings.jpg", "jpeg", 155, 210, Background::Any, 0},
        PictureRow{":/pictures/merry_christmas.jpg", "jpeg", 125, 193, Background::Any, 0},
        PictureRow{":/pictures/help_button.gif", "gif", 18, 18, Background::Transparent, 0},
        PictureRow{":/pictures/plug.gif", "gif", 42, 19, Background::Transparent, 0},
        PictureRow{":/pictures/cherub1.gif", "gif", 150, 163, Background::Transparent, 0},
        PictureRow{":/pictures/cherub2.gif", "gif", 150, 163, Background::Transparent, 0},
        PictureRow{":/pictures/cherub3.gif", "gif", 150, 163, Background::Transparent, 0},
        PictureRow{":/pictures/cherub4.gif", "gif", 150, 163, Background::Transparent, 0},
        PictureRow{":/pictures/speech_bubble.bmp", "bmp", 272, 157, Background::ExactWhite, 24},
        PictureRow{":/pictures/madonna.jpg", "jpeg", 156, 234, Background::Any, 0},
        PictureRow{":/pictures/greeting_script.gif", "gif", 149, 72, Background::Transparent, 0},
        PictureRow{":/pictures/save_normal.bmp", "bmp", 54, 29, Background::Any, 24},
        PictureRow{":/pictures/save_pressed.bmp", "bmp", 54, 29, Background::Any, 24},
        PictureRow{":/pictures/merry_christmas_panel.bmp", "bmp", 200, 130, Background::ExactWhite, 24},
        PictureRow{":/cursors/hand_point.png", "png", 32, 32, Background::Transparent, 0},
        PictureRow{":/cursors/hand_prohibited.png", "png", 32, 32, Background::Transparent, 0},
        PictureRow{":/cursors/hand_open.png", "png", 32, 32, Background::Transparent, 0},
        PictureRow{":/icon/tree-32.png", "png", 32, 32, Background::Transparent, 0},
        PictureRow{":/icon/tree-16.png", "png", 16, 16, Background::Transparent, 0}));

bool isWhite(QRgb pixel) { return pixel == qRgba(255, 255, 255, 255); }

// The window is cut to the tree's outline by keying out white, so whatever the
// program draws on the tree must lie on non-white pixels or it is cut away.
TEST(EmbeddedAssetTree, LightsButtonAndPlugLieOnTheTree) {
    const QImage tree = readImage(":/pictures/tree.gif");
    ASSERT_FALSE(tree.isNull());
    EXPECT_FALSE(QImage(":/pictures/tree.gif").hasAlphaChannel()) << "the tree has no transparent colour";

    // Top-left corners of the 24 lights in twips; each light is a 15 x 15 pixel circle.
    const int lightTwips[24][2] = {{1470, 1995}, {1890, 2460}, {1335, 2880}, {2300, 1095}, {1155, 3360},
                                   {540, 3585},  {1065, 4020}, {2745, 2825}, {3180, 2715}, {2415, 1425},
                                   {1530, 4830}, {1725, 4245}, {2310, 3735}, {3375, 3615}, {3345, 2340},
                                   {990, 4950},  {2790, 3960}, {3585, 3300}, {3525, 4455}, {2220, 2805},
                                   {2385, 4605}, {2895, 4575}, {2175, 3270}, {1905, 1980}};
    for (int i = 0; i < 24; ++i) {
        const double left = lightTwips[i][0] / 15.0;
        const double top = lightTwips[i][1] / 15.0;
        int whites = 0;
        int brightChannels = 0;
        int pixels = 0;
        for (int y = static_cast<int>(top); y < static_cast<int>(top) + 16; ++y) {
            for (int x = static_cast<int>(left); x < static_cast<int>(left) + 16; ++x) {
                const double dx = x + 0.5 - (left + 7.5);
                const double dy = y + 0.5 - (top + 7.5);
                if (dx * dx + dy * dy > 7.5 * 7.5) continue;
                const QRgb p = tree.pixel(x, y);
                whites += isWhite(p) ? 1 : 0;
                brightChannels += qRed(p) + qGreen(p) + qBlue(p);
                ++pixels;
            }
        }
        EXPECT_EQ(whites, 0) << "light " << i + 1 << " reaches past the tree";
        // The light is ANDed onto the picture: on a dark spot it would vanish.
        EXPECT_GT(brightChannels / (3 * pixels), 150) << "light " << i + 1 << " sits on a dark spot";
    }

    struct Box {
        const char* name;
        int x, y, w, h;
    };
    for (const Box& box : {Box{"question-mark button", 80, 376, 18, 18}, Box{"plug", 155, 377, 29, 15}}) {
        for (int y = box.y; y < box.y + box.h && y < tree.height(); ++y)
            for (int x = box.x; x < box.x + box.w; ++x)
                ASSERT_FALSE(isWhite(tree.pixel(x, y))) << box.name << " at " << x << "," << y;
    }
}

// The skin window keys out its picture box's grey back colour where the cherub's
// transparent background shows it; the figure must be solid and free of that grey.
TEST(EmbeddedAssetCherub, FramesAreSolidAndFreeOfTheBoxGrey) {
    for (int frame = 1; frame <= 4; ++frame) {
        const QImage image = readImage(QString(":/pictures/cherub%1.gif").arg(frame));
        ASSERT_FALSE(image.isNull());
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                ASSERT_TRUE(qAlpha(p) == 0 || qAlpha(p) == 255) << "frame " << frame << " at " << x << "," << y;
                if (qAlpha(p) == 0) continue;
                ++opaque;
                const QRgb rgb = p & 0xFFFFFF;
                ASSERT_NE(rgb, 0xEFEFEFu) << "frame " << frame << " at " << x << "," << y;
                ASSERT_NE(rgb, 0xF0F0F0u) << "frame " << frame << " at " << x << "," << y;
            }
        }
        EXPECT_GT(opaque, image.width() * image.height() / 5) << "frame " << frame << " shows a figure";
    }
}

TEST(EmbeddedAssetCursor, HotSpotsLieOnTheHand) {
    struct Cursor {
        const char* path;
        int x, y;
    };
    for (const Cursor& c : {Cursor{":/cursors/hand_point.png", 12, 1}, Cursor{":/cursors/hand_prohibited.png", 12, 1},
                            Cursor{":/cursors/hand_open.png", 16, 14}}) {
        const QImage image = readImage(c.path);
        ASSERT_FALSE(image.isNull()) << c.path;
        EXPECT_EQ(qAlpha(image.pixel(c.x, c.y)), 255) << c.path;
        EXPECT_LE(QImage(c.path).colorCount(), 16) << c.path;
    }
}

TEST(EmbeddedAssetIcon, HoldsA32And16PixelImage) {
    initEmbeddedAssets();
    QImageReader reader(":/icon/tree.ico");
    ASSERT_EQ(reader.format().toStdString(), "ico");
    ASSERT_EQ(reader.imageCount(), 2);
    std::vector<int> sizes;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), image.height());
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "transparent background";
        sizes.push_back(image.width());
    }
    EXPECT_EQ(sizes, (std::vector<int>{32, 16}));
}

// ---------------------------------------------------------------------------
// The music

uint32_t bigEndian(const QByteArray& b, int at, int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
    return v;
}

struct MidiEvent {
    uint32_t tick;
    uint8_t status;  // 0xFF for meta events
    uint8_t type;    // meta type, or first data byte
    QByteArray data;  // meta payload, or the data bytes
};

struct MidiTrack {
    std::vector<MidiEvent> events;
    uint32_t endTick = 0;
    bool ended = false;
};

std::optional<std::vector<MidiTrack>> parseTracks(const QByteArray& file, int count) {
    std::vector<MidiTrack> tracks;
    int at = 14;
    for (int t = 0; t < count; ++t) {
        if (file.mid(at, 4) != "MTrk") return std::nullopt;
        const int end = at + 8 + static_cast<int>(bigEndian(file, at + 4, 4));
        if (end > file.size()) return std::nullopt;
        MidiTrack track;
        int p = at + 8;
        uint32_t tick = 0;
        uint8_t running = 0;
        auto varlen = [&]() {
            uint32_t v = 0;
            uint8_t b = 0;
            do {
                b = static_cast<uint8_t>(file[p++]);
                v = (v << 7) | (b & 0x7F);
            } while ((b & 0x80) && p < end);
            return v;
        };
        while (p < end && !track.ended) {
            tick += varlen();
            uint8_t status = static_cast<uint8_t>(file[p]);
            if (status == 0xFF) {
                const uint8_t type = static_cast<uint8_t>(file[p + 1]);
                p += 2;
                const uint32_t length = varlen();
                track.events.push_back({tick, 0xFF, type, file.mid(p, static_cast<int>(length))});
                p += static_cast<int>(length);
                if (type == 0x2F) track.ended = true;
                continue;
            }
            if (status & 0x80) {
                running = status;
                ++p;
            }
            const int size = ((running >> 4) == 0xC || (running >> 4) == 0xD) ? 1 : 2;
            track.events.push_back({tick, running, static_cast<uint8_t>(file[p]), file.mid(p, size)});
            p += size;
        }
        track.endTick = tick;
        tracks.push_back(track);
        at = end;
    }
    return tracks;
}

QByteArray musicFile() { return readResource(":/CUSTOM/101"); }

TEST(EmbeddedAssetMusic, IsAFormat1FileWithAFixedTempoConductorTrack) {
    const QByteArray file = musicFile();
    ASSERT_GE(file.size(), 14);
    EXPECT_EQ(file.left(4), QByteArray("MThd"));
    EXPECT_EQ(bigEndian(file, 4, 4), 6u);
    EXPECT_EQ(bigEndian(file, 8, 2), 1u) << "format";
    ASSERT_EQ(bigEndian(file, 10, 2), 8u) << "tracks";
    EXPECT_EQ(bigEndian(file, 12, 2), 120u) << "ticks per quarter note";

    const auto tracks = parseTracks(file, 8);
    ASSERT_TRUE(tracks.has_value());
    std::map<uint8_t, std::vector<MidiEvent>> metas;
    for (const MidiEvent& e : (*tracks)[0].events)
        if (e.status == 0xFF) metas[e.type].push_back(e);
    ASSERT_EQ(metas[0x51].size(), 1u) << "one tempo for the whole piece";
    EXPECT_EQ(metas[0x51][0].tick, 0u);
    EXPECT_EQ(metas[0x51][0].data, QByteArray::fromHex("07a120")) << "500000 us per quarter note";
    ASSERT_EQ(metas[0x58].size(), 1u);
    EXPECT_EQ(metas[0x58][0].data, QByteArray::fromHex("04021808")) << "4/4, 24 clocks, 8 32nds";
    ASSERT_EQ(metas[0x59].size(), 1u);
    EXPECT_EQ(metas[0x59][0].data, QByteArray::fromHex("0000")) << "C major";

    uint32_t length = 0;
    for (const MidiTrack& t : *tracks) {
        EXPECT_TRUE(t.ended) << "every track closes with an end-of-track event";
        length = std::max(length, t.endTick);
    }
    EXPECT_EQ(length, 32518u) << "135.5 s at 120 bpm";
}

struct TrackRow {
    int index;
    const char* name;
    int channel;
    int program;
    int pan;
    bool sustain;
    bool modulation;
};

void PrintTo(const TrackRow& row, std::ostream* os) { *os << row.index << " " << row.name; }

class EmbeddedAssetMusicTrack : public ::testing::TestWithParam<TrackRow> {};

TEST_P(EmbeddedAssetMusicTrack, PlaysOneInstrumentOnItsChannel) {
    const TrackRow& row = GetParam();
    const auto tracks = parseTracks(musicFile(), 8);
    ASSERT_TRUE(tracks.has_value());
    const MidiTrack& track = (*tracks)[static_cast<size_t>(row.index)];

    std::map<uint8_t, QByteArray> namesAtZero;
    std::optional<int> program, volume, pan;
    int notes = 0;
    bool sustain = false, modulation = false, pitchBend = false, otherChannel = false;
    for (const MidiEvent& e : track.events) {
        if (e.status == 0xFF) {
            if (e.tick == 0 && (e.type == 0x03 || e.type == 0x04)) namesAtZero[e.type] = e.data;
            continue;
        }
        otherChannel |= (e.status & 0x0F) != row.channel;
        const uint8_t kind = e.status >> 4;
        const int value = e.data.size() > 1 ? static_cast<uint8_t>(e.data[1]) : -1;
        if (kind == 0xC && e.tick == 0) program = e.type;
        if (kind == 0xB && e.type == 7 && e.tick == 0) volume = value;
        if (kind == 0xB && e.type == 10 && e.tick == 0) pan = value;
        sustain |= kind == 0xB && e.type == 64;
        modulation |= kind == 0xB && e.type == 1;
        pitchBend |= kind == 0xE;
        notes += (kind == 0x9 && value > 0) ? 1 : 0;
    }
    EXPECT_EQ(namesAtZero[0x03].toStdString(), row.name) << "track name";
    EXPECT_EQ(namesAtZero[0x04].toStdString(), row.name) << "instrument name";
    EXPECT_FALSE(otherChannel);
    EXPECT_EQ(program, row.program);
    EXPECT_EQ(volume, 125);
    EXPECT_EQ(pan, row.pan);
    EXPECT_EQ(sustain, row.sustain);
    EXPECT_EQ(modulation, row.modulation);
    EXPECT_FALSE(pitchBend);
    EXPECT_GT(notes, 0);
}

INSTANTIATE_TEST_SUITE_P(SevenInstruments, EmbeddedAssetMusicTrack,
                         ::testing::Values(TrackRow{1, "Strings", 1, 48, 0, false, false},
                                           TrackRow{2, "Clarinet", 2, 71, 90, false, false},
                                           TrackRow{3, "Celesta", 3, 8, 30, false, false},
                                           TrackRow{4, "Harp", 4, 46, 75, false, false},
                                           TrackRow{5, "El Piano", 0, 4, 64, true, false},
                                           TrackRow{6, "Harmonica", 5, 22, 55, false, true},
                                           TrackRow{7, "Ac Bass", 6, 32, 120, true, false}));

// ---------------------------------------------------------------------------
// The bells

TEST(EmbeddedAssetBells, IsTaggedMpeg1Layer3OfExactlyOneHundredAndFiveFrames) {
    const QByteArray file = readResource(":/CUSTOM/102");
    ASSERT_GT(file.size(), 1024 + 128);

    // ID3 v2.3, no flags, 1014 bytes of tag data (synchsafe), one genre frame, zero padding.
    EXPECT_EQ(file.left(6), QByteArray::fromHex("494433030000"));
    EXPECT_EQ(file.mid(6, 4), QByteArray::fromHex("00000776"));
    EXPECT_EQ(file.mid(10, 10), QByteArray("TCON\x00\x00\x00\x06\x00\x00", 10));
    EXPECT_EQ(file.mid(20, 6), QByteArray("\x00" "Blues", 6));
    EXPECT_EQ(file.mid(26, 1024 - 26), QByteArray(1024 - 26, '\0'));

    // ID3 v1: "TAG" and nothing else.
    const QByteArray v1 = file.right(128);
    EXPECT_EQ(v1.left(3), QByteArray("TAG"));
    EXPECT_EQ(v1.mid(3), QByteArray(125, '\0'));

    const int audioEnd = static_cast<int>(file.size()) - 128;
    int at = 1024;
    int frames = 0;
    while (at < audioEnd) {
        const uint32_t h = bigEndian(file, at, 4);
        ASSERT_EQ(h >> 21, 0x7FFu) << "frame sync at byte " << at;
        EXPECT_EQ((h >> 19) & 3, 3u) << "MPEG-1";
        EXPECT_EQ((h >> 17) & 3, 1u) << "Layer III";
        EXPECT_EQ((h >> 16) & 1, 1u) << "no CRC";
        EXPECT_EQ((h >> 12) & 15, 7u) << "96 kbit/s";
        EXPECT_EQ((h >> 10) & 3, 0u) << "44.1 kHz";
        EXPECT_EQ((h >> 6) & 3, 3u) << "mono";
        // An encoder info frame stores its tag after the 17 bytes of mono side information.
        const QByteArray tag = file.mid(at + 4 + 17, 4);
        EXPECT_NE(tag, QByteArray("Xing"));
        EXPECT_NE(tag, QByteArray("Info"));
        at += 144 * 96000 / 44100 + static_cast<int>((h >> 9) & 1);
        ++frames;
    }
    EXPECT_EQ(at, audioEnd) << "the last frame ends where the ID3 v1 tag begins";
    EXPECT_EQ(frames, 105);
}

}  // namespace
