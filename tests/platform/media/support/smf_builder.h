// SPDX-License-Identifier: MIT
#pragma once

// A tiny Standard MIDI File writer for the media engine's tests and benchmark: tracks
// of events at absolute ticks, written with delta times and running status left out.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace xmascard::media::testing {

class SmfTrack {
  public:
    // Adds an event at an absolute tick (ticks must not go back within a track).
    SmfTrack& at(std::uint32_t tick, std::initializer_list<std::uint8_t> bytes) {
        delta(tick);
        data_.insert(data_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    SmfTrack& tempo(std::uint32_t tick, std::uint32_t microsPerQuarter) {
        return at(tick, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(microsPerQuarter >> 16),
                         static_cast<std::uint8_t>(microsPerQuarter >> 8),
                         static_cast<std::uint8_t>(microsPerQuarter)});
    }
    SmfTrack& note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity) {
        // Kept in order by the caller: this writes the note on now and remembers nothing.
        at(tick, {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(key),
                  static_cast<std::uint8_t>(velocity)});
        return at(tick + length,
                  {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(key), 0});
    }
    SmfTrack& end(std::uint32_t tick) { return at(tick, {0xFF, 0x2F, 0x00}); }
    // Raw bytes with no delta time in front (for broken files).
    SmfTrack& raw(std::initializer_list<std::uint8_t> bytes) {
        data_.insert(data_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    const std::vector<std::uint8_t>& data() const { return data_; }

  private:
    void delta(std::uint32_t tick) {
        std::uint32_t d = tick >= last_ ? tick - last_ : 0;
        last_ = tick;
        std::uint8_t buffer[5];
        int n = 0;
        buffer[n++] = d & 0x7F;
        while (d >>= 7) buffer[n++] = 0x80 | (d & 0x7F);
        while (n > 0) data_.push_back(buffer[--n]);
    }
    std::vector<std::uint8_t> data_;
    std::uint32_t last_ = 0;
};

class SmfBuilder {
  public:
    SmfBuilder(int format, std::uint16_t division) : format_(format), division_(division) {}

    SmfTrack& addTrack() {
        tracks_.emplace_back();
        return tracks_.back();
    }
    // The header's track count; by default the number of tracks added.
    SmfBuilder& declareTracks(int count) {
        declared_ = count;
        return *this;
    }

    std::vector<std::uint8_t> bytes() const {
        std::size_t total = 14;
        for (const SmfTrack& track : tracks_) total += 8 + track.data().size();
        std::vector<std::uint8_t> out;
        out.reserve(total);
        out.insert(out.end(), {'M', 'T', 'h', 'd', 0, 0, 0, 6});
        int count = declared_ >= 0 ? declared_ : static_cast<int>(tracks_.size());
        push16(out, static_cast<std::uint16_t>(format_));
        push16(out, static_cast<std::uint16_t>(count));
        push16(out, division_);
        for (const SmfTrack& track : tracks_) {
            out.insert(out.end(), {'M', 'T', 'r', 'k'});
            push32(out, static_cast<std::uint32_t>(track.data().size()));
            out.insert(out.end(), track.data().begin(), track.data().end());
        }
        return out;
    }

    static void push16(std::vector<std::uint8_t>& out, std::uint16_t v) {
        out.push_back(static_cast<std::uint8_t>(v >> 8));
        out.push_back(static_cast<std::uint8_t>(v));
    }
    static void push32(std::vector<std::uint8_t>& out, std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<std::uint8_t>(v >> shift));
    }

  private:
    int format_;
    std::uint16_t division_;
    int declared_ = -1;
    std::vector<SmfTrack> tracks_;
};

// A piece shaped like the card's music : format 1, division 120,
// 120 bpm, a conductor track and seven instruments on channels 0 to 6 with program
// changes, main volume and pan at tick 0, about 1700 notes over 135.5 s, sustain pedal
// on two tracks and modulation on one. Deterministic.
inline std::vector<std::uint8_t> cardLikePiece() {
    struct Instrument {
        int channel, program, pan, notes, firstTick;
    };
    const Instrument instruments[] = {{1, 48, 0, 372, 150},    {2, 71, 90, 180, 1597},
                                      {3, 8, 30, 418, 6121},   {4, 46, 75, 160, 7068},
                                      {0, 4, 64, 417, 153},    {5, 22, 55, 46, 12540},
                                      {6, 32, 120, 102, 11647}};
    const std::uint32_t lastTick = 32518;
    SmfBuilder smf(1, 120);
    smf.addTrack()
        .at(0, {0xFF, 0x58, 0x04, 4, 2, 24, 8})
        .at(0, {0xFF, 0x59, 0x02, 0, 0})
        .tempo(0, 500000)
        .end(lastTick);
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    int index = 0;
    for (const Instrument& ins : instruments) {
        ++index;
        const auto ch = static_cast<std::uint8_t>(ins.channel);
        SmfTrack& track = smf.addTrack();
        track.at(0, {static_cast<std::uint8_t>(0xC0 | ch), static_cast<std::uint8_t>(ins.program)})
            .at(0, {static_cast<std::uint8_t>(0xB0 | ch), 7, 125})
            .at(0, {static_cast<std::uint8_t>(0xB0 | ch), 10, static_cast<std::uint8_t>(ins.pan)});
        const std::uint32_t span = lastTick - 30 - static_cast<std::uint32_t>(ins.firstTick);
        const std::uint32_t step = span / static_cast<std::uint32_t>(ins.notes);
        for (int n = 0; n < ins.notes; ++n) {
            std::uint32_t tick = static_cast<std::uint32_t>(ins.firstTick) + n * step;
            bool pedal = (index == 5 || index == 7) && n % 8 == 0;
            if (pedal) track.at(tick, {static_cast<std::uint8_t>(0xB0 | ch), 64, 127});
            if (index == 6 && n % 4 == 0) {
                track.at(tick, {static_cast<std::uint8_t>(0xB0 | ch), 1,
                                static_cast<std::uint8_t>(next() % 64)});
            }
            int key = 48 + static_cast<int>(next() % 24);
            track.note(tick, step * 3 / 4, ch, key, 70 + static_cast<int>(next() % 40));
            if (pedal) track.at(tick + step - 1, {static_cast<std::uint8_t>(0xB0 | ch), 64, 0});
        }
        track.end(lastTick);
    }
    return smf.bytes();
}

}  // namespace xmascard::media::testing
