// SPDX-License-Identifier: MIT
#include "platform/media/smf_reader.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace xmascard::media {
namespace {

constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter note (120 bpm)

std::string hex(unsigned value) {
    static const char* digits = "0123456789ABCDEF";
    std::string text = "0x";
    text += digits[(value >> 4) & 0xF];
    text += digits[value & 0xF];
    return text;
}

// A bounds-checked reader over one byte range. Every read reports failure instead of
// running past the end.
class ByteReader {
  public:
    ByteReader(std::span<const std::uint8_t> bytes, std::size_t begin, std::size_t end)
        : bytes_(bytes), pos_(begin), end_(end) {}

    bool atEnd() const { return pos_ >= end_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return end_ - pos_; }

    bool byte(std::uint8_t& out) {
        if (pos_ >= end_) return false;
        out = bytes_[pos_++];
        return true;
    }
    bool peek(std::uint8_t& out) const {
        if (pos_ >= end_) return false;
        out = bytes_[pos_];
        return true;
    }
    bool skip(std::uint64_t count) {
        if (count > remaining()) return false;
        pos_ += static_cast<std::size_t>(count);
        return true;
    }
    bool u16(std::uint32_t& out) {
        if (remaining() < 2) return false;
        out = (std::uint32_t{bytes_[pos_]} << 8) | bytes_[pos_ + 1];
        pos_ += 2;
        return true;
    }
    bool u32(std::uint32_t& out) {
        if (remaining() < 4) return false;
        out = (std::uint32_t{bytes_[pos_]} << 24) | (std::uint32_t{bytes_[pos_ + 1]} << 16) |
              (std::uint32_t{bytes_[pos_ + 2]} << 8) | bytes_[pos_ + 3];
        pos_ += 4;
        return true;
    }
    bool tag(const char* expected) {
        if (remaining() < 4) return false;
        bool same = std::equal(expected, expected + 4, bytes_.begin() + pos_);
        if (same) pos_ += 4;
        return same;
    }
    // A variable-length quantity: at most four bytes, seven bits each.
    enum class Vlq { Ok, Truncated, TooLong };
    Vlq vlq(std::uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t b;
            if (!byte(b)) return Vlq::Truncated;
            out = (out << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) return Vlq::Ok;
        }
        return Vlq::TooLong;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_;
    std::size_t end_;
};

struct TickEvent {
    std::int64_t tick;
    MidiEvent event;  // frame filled in after the tempo map is known
};

struct TempoChange {
    std::int64_t tick;
    std::uint32_t microsPerQuarter;
};

// How ticks become seconds: either a tempo map over ticks per quarter note, or a fixed
// SMPTE rate in which tempo changes do not count.
class TickClock {
  public:
    static TickClock quarterNotes(int ticksPerQuarter, std::vector<TempoChange> tempos) {
        TickClock clock;
        clock.ticksPerQuarter_ = ticksPerQuarter;
        std::stable_sort(
            tempos.begin(), tempos.end(),
            [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
        long double micros = 0;
        std::int64_t lastTick = 0;
        std::uint32_t tempo = kDefaultTempo;
        clock.segments_.push_back({0, 0, tempo});
        for (const TempoChange& change : tempos) {
            micros += static_cast<long double>(change.tick - lastTick) * tempo / ticksPerQuarter;
            lastTick = change.tick;
            tempo = change.microsPerQuarter;
            if (clock.segments_.back().tick == change.tick) {
                clock.segments_.back().microsPerQuarter = tempo;
            } else {
                clock.segments_.push_back({change.tick, micros, tempo});
            }
        }
        return clock;
    }
    static TickClock smpte(double ticksPerSecond) {
        TickClock clock;
        clock.ticksPerSecond_ = ticksPerSecond;
        return clock;
    }

    // Seconds from the start of the piece to `tick`. Ticks must come in rising order
    // for the cursor to stay fast; any order gives the right answer.
    long double seconds(std::int64_t tick) {
        if (ticksPerSecond_ > 0) return static_cast<long double>(tick) / ticksPerSecond_;
        if (cursor_ >= segments_.size() || segments_[cursor_].tick > tick) cursor_ = 0;
        while (cursor_ + 1 < segments_.size() && segments_[cursor_ + 1].tick <= tick) ++cursor_;
        const Segment& s = segments_[cursor_];
        long double micros = s.startMicros + static_cast<long double>(tick - s.tick) *
                                                 s.microsPerQuarter / ticksPerQuarter_;
        return micros / 1e6L;
    }

  private:
    struct Segment {
        std::int64_t tick;
        long double startMicros;
        std::uint32_t microsPerQuarter;
    };
    int ticksPerQuarter_ = 0;
    double ticksPerSecond_ = 0;
    std::vector<Segment> segments_;
    std::size_t cursor_ = 0;
};

class SmfParser {
  public:
    SmfParser(std::span<const std::uint8_t> bytes, int sampleRate, const SmfLimits& limits)
        : bytes_(bytes), sampleRate_(sampleRate), limits_(limits) {}

    Result<MidiSequence> parse() {
        std::string error = parseHeader();
        if (error.empty()) error = parseTracks();
        if (error.empty()) error = placeOnSampleClock();
        if (!error.empty()) return Result<MidiSequence>::failure(error);
        return Result<MidiSequence>::success(std::move(sequence_));
    }

  private:
    std::string parseHeader() {
        ByteReader r(bytes_, 0, bytes_.size());
        if (!r.tag("MThd")) return "not a Standard MIDI File (no MThd header)";
        std::uint32_t length = 0, format = 0, tracks = 0, division = 0;
        if (!r.u32(length) || length < 6 || length > r.remaining())
            return "the MIDI header is truncated";
        r.u16(format);
        r.u16(tracks);
        r.u16(division);
        r.skip(length - 6);
        headerEnd_ = r.position();
        if (format == 2) return "MIDI format 2 (independent sequences) is not supported";
        if (format > 2) return "unknown MIDI format " + std::to_string(format);
        if (tracks == 0) return "the MIDI file declares no tracks";
        if (division == 0) return "the MIDI division is 0 ticks per quarter note";
        sequence_.format = static_cast<int>(format);
        sequence_.trackCount = static_cast<int>(tracks);
        if (division & 0x8000) {
            int framesPerSecond = -static_cast<int>(static_cast<std::int8_t>(division >> 8));
            int ticksPerFrame = static_cast<int>(division & 0xFF);
            double rate = 0;
            if (framesPerSecond == 24 || framesPerSecond == 25 || framesPerSecond == 30) {
                rate = framesPerSecond;
            } else if (framesPerSecond == 29) {
                rate = 30000.0 / 1001.0;  // 30 drop-frame
            } else {
                return "unknown SMPTE frame rate " + std::to_string(framesPerSecond) +
                       " in the MIDI division";
            }
            if (ticksPerFrame == 0) return "the SMPTE division has 0 ticks per frame";
            smpteTicksPerSecond_ = rate * ticksPerFrame;
        } else {
            ticksPerQuarter_ = static_cast<int>(division);
        }
        return {};
    }

    std::string parseTracks() {
        ByteReader r(bytes_, headerEnd_, bytes_.size());
        int found = 0;
        while (found < sequence_.trackCount && r.remaining() >= 8) {
            bool isTrack = r.tag("MTrk");
            if (!isTrack) r.skip(4);
            std::uint32_t length = 0;
            r.u32(length);
            if (length > r.remaining()) {
                std::string what = isTrack ? "track " + std::to_string(found + 1) : "a chunk";
                return what + " runs past the end of the file (declares " + std::to_string(length) +
                       " bytes, " + std::to_string(r.remaining()) + " remain)";
            }
            if (isTrack) {
                std::string error = parseTrack(found + 1, r.position(), r.position() + length);
                if (!error.empty()) return error;
                ++found;
            }
            r.skip(length);
        }
        if (found < sequence_.trackCount) {
            return "the file declares " + std::to_string(sequence_.trackCount) +
                   " tracks but holds " + std::to_string(found) + " (truncated?)";
        }
        return {};
    }

    std::string countEvent() {
        if (++eventCount_ > limits_.maxEvents) {
            return "more than " + std::to_string(limits_.maxEvents) + " MIDI events";
        }
        return {};
    }

    std::string parseTrack(int number, std::size_t begin, std::size_t end) {
        const std::string where = "track " + std::to_string(number);
        ByteReader r(bytes_, begin, end);
        std::int64_t tick = 0;
        std::uint8_t running = 0;
        while (!r.atEnd()) {
            std::uint32_t delta = 0;
            auto vlq = r.vlq(delta);
            if (vlq == ByteReader::Vlq::Truncated) return where + " is truncated";
            if (vlq == ByteReader::Vlq::TooLong) return where + ": delta time longer than 4 bytes";
            tick += delta;
            std::uint8_t status = 0;
            if (!r.peek(status)) return where + " is truncated";
            if (status & 0x80) {
                r.skip(1);
            } else if (running == 0) {
                return where + ": running status without a preceding status byte (at byte " +
                       std::to_string(r.position()) + ")";
            } else {
                status = running;
            }
            if (status == 0xFF) {
                bool endOfTrack = false;
                std::string error = parseMeta(r, where, tick, endOfTrack);
                if (!error.empty()) return error;
                if (endOfTrack) break;
            } else if (status == 0xF0 || status == 0xF7) {
                std::uint32_t length = 0;
                if (r.vlq(length) != ByteReader::Vlq::Ok || !r.skip(length))
                    return where + ": system exclusive message is truncated";
            } else if (status >= 0xF0) {
                return where + ": system message " + hex(status) + " cannot appear in a file";
            } else {
                running = status;
                std::string error = parseChannelMessage(r, where, tick, status);
                if (!error.empty()) return error;
            }
        }
        trackEnd_ = std::max(trackEnd_, tick);
        return {};
    }

    std::string parseMeta(ByteReader& r, const std::string& where, std::int64_t tick,
                          bool& endOfTrack) {
        std::uint8_t type = 0;
        std::uint32_t length = 0;
        if (!r.byte(type) || r.vlq(length) != ByteReader::Vlq::Ok || length > r.remaining())
            return where + ": meta event is truncated";
        if (type == 0x2F) {
            endOfTrack = true;
        } else if (type == 0x51 && length == 3) {
            std::uint8_t a = 0, b = 0, c = 0;
            r.byte(a);
            r.byte(b);
            r.byte(c);
            std::uint32_t tempo = (std::uint32_t{a} << 16) | (std::uint32_t{b} << 8) | c;
            if (tempo == 0) return where + ": tempo of 0 microseconds per quarter note";
            std::string error = countEvent();
            if (!error.empty()) return error;
            tempos_.push_back({tick, tempo});
            return {};
        }
        r.skip(length);
        return {};
    }

    std::string parseChannelMessage(ByteReader& r, const std::string& where, std::int64_t tick,
                                    std::uint8_t status) {
        int kind = status & 0xF0;
        int dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        std::uint8_t data[2] = {0, 0};
        for (int i = 0; i < dataBytes; ++i) {
            if (!r.byte(data[i])) return where + " is truncated";
            if (data[i] & 0x80) {
                return where + ": data byte " + hex(data[i]) + " out of range (at byte " +
                       std::to_string(r.position() - 1) + ")";
            }
        }
        std::string error = countEvent();
        if (!error.empty()) return error;
        events_.push_back({tick, MidiEvent{0, status, data[0], data[1]}});
        return {};
    }

    std::string placeOnSampleClock() {
        TickClock clock = smpteTicksPerSecond_ > 0
                              ? TickClock::smpte(smpteTicksPerSecond_)
                              : TickClock::quarterNotes(ticksPerQuarter_, std::move(tempos_));
        std::stable_sort(events_.begin(), events_.end(),
                         [](const TickEvent& a, const TickEvent& b) { return a.tick < b.tick; });
        std::int64_t lastTick = events_.empty() ? 0 : events_.back().tick;
        long double lengthSeconds = clock.seconds(std::max(trackEnd_, lastTick));
        if (lengthSeconds > limits_.maxSeconds) {
            return "the piece lasts " + std::to_string(static_cast<long long>(lengthSeconds)) +
                   " s, more than the limit of " +
                   std::to_string(static_cast<long long>(limits_.maxSeconds)) + " s";
        }
        auto toFrame = [this](long double seconds) {
            return static_cast<std::int64_t>(std::llround(seconds * sampleRate_));
        };
        sequence_.events.reserve(events_.size());
        for (const TickEvent& e : events_) {
            MidiEvent event = e.event;
            event.frame = toFrame(clock.seconds(e.tick));
            sequence_.events.push_back(event);
        }
        sequence_.lengthFrames = toFrame(lengthSeconds);
        return {};
    }

    std::span<const std::uint8_t> bytes_;
    int sampleRate_;
    SmfLimits limits_;
    MidiSequence sequence_;
    std::size_t headerEnd_ = 0;
    int ticksPerQuarter_ = 0;
    double smpteTicksPerSecond_ = 0;
    std::vector<TickEvent> events_;
    std::vector<TempoChange> tempos_;
    std::size_t eventCount_ = 0;
    std::int64_t trackEnd_ = 0;
};

}  // namespace

Result<MidiSequence> readStandardMidiFile(std::span<const std::uint8_t> bytes, int sampleRate,
                                          const SmfLimits& limits) {
    return SmfParser(bytes, sampleRate, limits).parse();
}

}  // namespace xmascard::media
