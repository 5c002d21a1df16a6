// SPDX-License-Identifier: MIT
// The card's music as a MIDI device gets it: the events its synthesizer is sent (the same
// for FluidSynth and for a system's MIDI device, both driven by MidiSource), and how a
// device's messages are made and timed to the frames they belong to.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <fstream>
#include <iterator>
#include <mutex>
#include <variant>

#include "platform/media/audio_engine.h"
#include "platform/media/midi_device/device_music.h"
#include "platform/media/mixer.h"

namespace xmascard::media {
namespace {

// Runs on Windows too (under Wine): it needs neither FluidSynth nor a sound device.

std::int64_t framesOf(double seconds) { return std::llround(seconds * AudioEngine::kSampleRate); }

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// What a synthesizer is told, in order.
struct Reset {
    bool operator==(const Reset&) const = default;
};
struct Sent {
    std::int64_t frame;
    std::uint8_t status, data1, data2;
    bool operator==(const Sent&) const = default;
};
struct MixedFrom {
    std::int64_t frame;
    bool operator==(const MixedFrom&) const = default;
};
struct VolumeSet {
    long hundredths;
    bool operator==(const VolumeSet&) const = default;
};
using Call = std::variant<Reset, Sent, MixedFrom, VolumeSet>;

class RecordingSynthesizer final : public Synthesizer {
  public:
    explicit RecordingSynthesizer(std::vector<Call>& calls) : calls_(calls) {}
    void reset() override { calls_.push_back(Reset{}); }
    void send(const MidiEvent& e, std::int64_t frame) override {
        calls_.push_back(Sent{frame, e.status, e.data1, e.data2});
    }
    void write(float* left, float* right, int samples) override {
        std::fill(left, left + samples, 0.0f);
        std::fill(right, right + samples, 0.0f);
    }
    void mixFrom(std::int64_t frame) override { calls_.push_back(MixedFrom{frame}); }
    void setVolume(Volume v) override { calls_.push_back(VolumeSet{v.hundredths()}); }

  private:
    std::vector<Call>& calls_;
};

class RecordingMusic final : public Music {
  public:
    void prepare() override {}
    Result<std::unique_ptr<Synthesizer>> synthesizerFor(const MidiSequence&) override {
        return Result<std::unique_ptr<Synthesizer>>::success(
            std::make_unique<RecordingSynthesizer>(calls));
    }
    void ready(Synthesizer&, const MidiSequence&) override {}
    std::vector<Call> calls;
};

template <class T>
std::vector<T> only(const std::vector<Call>& calls) {
    std::vector<T> out;
    for (const Call& c : calls)
        if (const T* t = std::get_if<T>(&c)) out.push_back(*t);
    return out;
}

// What a seek to `from` must send, by the piece itself: a reset, every setting before
// `from` replayed at `from`, then every event from `from` on at its own frame.
std::vector<Call> expectedFrom(const MidiSequence& piece, std::int64_t from) {
    std::vector<Call> out{Reset{}};
    for (const MidiEvent& e : piece.events)
        if (e.frame < from && !e.isNote()) out.push_back(Sent{from, e.status, e.data1, e.data2});
    for (const MidiEvent& e : piece.events)
        if (e.frame >= from) out.push_back(Sent{e.frame, e.status, e.data1, e.data2});
    return out;
}

// The events and resets a synthesizer got, without the mixing marks and volumes.
std::vector<Call> eventsOf(const std::vector<Call>& calls) {
    std::vector<Call> out;
    for (const Call& c : calls)
        if (std::holds_alternative<Reset>(c) || std::holds_alternative<Sent>(c)) out.push_back(c);
    return out;
}

// The card's own piece, played as the show plays it: from 27 s in at -4 dB, quieter under
// the bells, then the closing's seek to 1 s and its fading steps. The synthesizer gets
// exactly the piece's events at their frames, a mark at the start of every mixed block,
// and each volume.
TEST(MidiDevicePath, TheCardsPieceReachesTheSynthesizerAsItsFileSays) {
    const std::string path = std::string(XMASCARD_SOURCE_DIR) + "/assets/sounds/mm.mid";
    auto parsed = readStandardMidiFile(readBytes(path), AudioEngine::kSampleRate);
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    const MidiSequence piece = parsed.take();

    auto music = std::make_shared<RecordingMusic>();
    auto engine = AudioEngine::create(AudioEngine::Output::Offline, {}, {music, {}, {}});
    auto player = engine->createPlayer();
    player->setFileName(path);

    struct Stage {
        const char* name;
        double seekTo;  // negative: play on
        std::vector<long> volumes;
        double seconds;
    };
    const Stage stages[] = {
        {"the show's start, 27 s in", 27.0, {-400}, 3.0},
        {"under the bells", -1, {-1000}, 2.0},
        {"the closing's seek", 1.0, {-400, -500, -600}, 3.0},
    };
    std::vector<float> mix(2 * Mixer::kBlockFrames);
    std::vector<Call> expected;  // what the synthesizer is still to get
    for (const Stage& stage : stages) {
        SCOPED_TRACE(stage.name);
        music->calls.clear();
        if (stage.seekTo >= 0) player->setCurrentPosition(stage.seekTo);
        for (long v : stage.volumes) player->setVolume(Volume(v));
        const std::int64_t start = framesOf(player->currentPosition());
        const std::int64_t blocks = framesOf(stage.seconds) / Mixer::kBlockFrames;
        for (std::int64_t b = 0; b < blocks; ++b) engine->render(mix.data(), Mixer::kBlockFrames);
        const std::int64_t end = start + blocks * Mixer::kBlockFrames;

        // Volumes, as asked.
        std::vector<VolumeSet> volumes;
        for (long v : stage.volumes) volumes.push_back({v});
        EXPECT_EQ(only<VolumeSet>(music->calls), volumes);

        // A mark at each block's first frame of the piece.
        const auto marks = only<MixedFrom>(music->calls);
        ASSERT_EQ(marks.size(), static_cast<std::size_t>(blocks));
        for (std::int64_t b = 0; b < blocks; ++b)
            EXPECT_EQ(marks[b].frame, start + b * Mixer::kBlockFrames) << "block " << b;

        // The events: a seek's reset and replay, then the piece's own, each at its frame, up
        // to where the mix stands and perhaps a little beyond (synthesis runs ahead); a stage
        // that plays on goes on from there.
        if (stage.seekTo >= 0) expected = expectedFrom(piece, start);
        const std::vector<Call> got = eventsOf(music->calls);
        const auto due = std::count_if(expected.begin(), expected.end(), [&](const Call& c) {
            return !std::holds_alternative<Sent>(c) || std::get<Sent>(c).frame < end;
        });
        ASSERT_GE(got.size(), static_cast<std::size_t>(due));
        ASSERT_LE(got.size(), expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], expected[i]) << i;
        expected.erase(expected.begin(),
                       expected.begin() + static_cast<std::ptrdiff_t>(got.size()));
        EXPECT_GT(due, 20) << "the stage plays notes";
    }
}

// A MIDI port that keeps what it is sent.
class RecordingPort final : public MidiPort {
  public:
    explicit RecordingPort(std::vector<std::uint32_t>& sent) : sent_(sent) {}
    void send(std::uint32_t message) override { sent_.push_back(message); }

  private:
    std::vector<std::uint32_t>& sent_;
};

// A device's messages are the piece's events in midiOutShortMsg's packing, with channel
// volumes scaled by the piece's volume, each sent when the stream frame it was mixed at
// is heard; a reset, a volume, a halt and the end send what the device needs.
TEST(MidiDevicePath, MessagesAreMadeAndTimedForTheDevice) {
    std::vector<std::uint32_t> sent;
    auto clock = std::make_shared<PlaybackClock>(AudioEngine::kSampleRate);
    auto dispatcher = std::make_shared<MidiDispatcher>(std::make_unique<RecordingPort>(sent), clock,
                                                       /*ownThread=*/false);
    DeviceSynthesizer synth(dispatcher, clock);
    const auto take = [&](std::int64_t heard) {
        sent.clear();
        dispatcher->sendDue(heard);
        return sent;
    };
    const auto controller = [](int channel, int number, int value) {
        return shortMessage(0xB0 | channel, number, value);
    };

    // The first pull: a seek's reset, then the piece mixed from its frame 5000 on.
    clock->pullBegins();
    synth.reset();
    synth.mixFrom(5000);
    struct Row {
        const char* what;
        MidiEvent event;  // at its piece frame
        std::uint32_t message;
        std::int64_t heardAt;  // stream frame
    };
    const Row rows[] = {
        {"note on", {5000, 0x93, 60, 100}, 0x00643C93, 0},
        {"program", {5100, 0xC5, 19, 0}, 0x000013C5, 100},
        {"pitch bend", {5200, 0xE1, 0x00, 0x50}, 0x005000E1, 200},
        {"channel volume at full", {5300, 0xB2, 7, 100}, 0x006407B2, 300},
        {"note off", {6500, 0x83, 60, 0}, 0x00003C83, 1500},
        {"pan", {6600, 0xB0, 10, 20}, 0x00140AB0, 1600},
    };
    for (const Row& row : rows) synth.send(row.event, row.event.frame);
    clock->pullEnds(Mixer::kBlockFrames);
    EXPECT_EQ(take(0).size(), static_cast<std::size_t>(DeviceChannels::kResetMessages) + 1)
        << "the reset and the first note are heard at once";
    for (std::size_t i = 1; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].what);
        EXPECT_TRUE(take(rows[i].heardAt - 1).empty()) << "not before its frame";
        EXPECT_EQ(take(rows[i].heardAt), std::vector<std::uint32_t>{rows[i].message});
    }

    // The piece's volume reaches every channel as its volume, with the next pull; the
    // piece's own channel volumes are scaled from then on.
    const struct {
        long hundredths;
        int channel2;  // the piece set 100 there
        int others;    // at the start value, 100 too
    } volumes[] = {{0, 100, 100}, {-400, 79, 79}, {-1000, 56, 56}, {-10000, 0, 0}};
    for (const auto& v : volumes) {
        SCOPED_TRACE(v.hundredths);
        synth.setVolume(Volume(v.hundredths));
        const auto got = take(clock->pullStart());
        ASSERT_EQ(got.size(), 16u);
        EXPECT_EQ(got[2], controller(2, 7, v.channel2));
        EXPECT_EQ(got[9], controller(9, 7, v.others));
    }
    synth.setVolume(Volume(-400));
    take(clock->pullStart());
    clock->pullBegins();
    synth.mixFrom(5000 + Mixer::kBlockFrames);
    synth.send({7000, 0xB4, 7, 127}, 7000);
    clock->pullEnds(Mixer::kBlockFrames);
    EXPECT_EQ(take(7000 - 5000), std::vector<std::uint32_t>{controller(4, 7, 101)});

    // A pull without the piece (paused or stopped): what it sent ahead is dropped, and its
    // notes are silenced from that pull on.
    clock->pullBegins();
    synth.mixFrom(5000 + 2 * Mixer::kBlockFrames);
    synth.send({8000, 0x90, 62, 90}, 8000);  // in this pull
    synth.send({8500, 0x90, 64, 90}, 8500);  // sent ahead, into the next
    clock->pullEnds(Mixer::kBlockFrames);
    EXPECT_EQ(take(8000 - 5000), std::vector<std::uint32_t>{shortMessage(0x90, 62, 90)});
    clock->pullBegins();
    clock->pullEnds(Mixer::kBlockFrames);
    const auto halted = take(1 << 20);
    ASSERT_EQ(halted.size(), static_cast<std::size_t>(DeviceChannels::kSilenceMessages));
    EXPECT_EQ(halted[0], controller(0, 123, 0));
    EXPECT_EQ(std::count(halted.begin(), halted.end(), shortMessage(0x90, 64, 90)), 0);

    // The end: the stream stops, and the device is silenced at once.
    clock->pullBegins();
    synth.mixFrom(20000);
    synth.send({30000, 0x90, 64, 90}, 30000);
    clock->pullEnds(Mixer::kBlockFrames);
    clock->stop();
    const auto ended = take(0);
    ASSERT_EQ(ended.size(), static_cast<std::size_t>(DeviceChannels::kSilenceMessages));
    EXPECT_TRUE(take(1 << 30).empty()) << "nothing is heard after the end";
}

// No MIDI device: the piece fails to load with the device's reason, once per piece, and
// the device is asked only once.
TEST(MidiDevicePath, WithoutADeviceEveryPieceSaysWhy) {
    int asked = 0;
    DeviceMusic music(
        [&](std::string& why) -> std::unique_ptr<MidiPort> {
            ++asked;
            why = "midiOutOpen: no device";
            return nullptr;
        },
        std::make_shared<PlaybackClock>(AudioEngine::kSampleRate));
    music.prepare();
    for (int i = 0; i < 2; ++i) {
        auto synth = music.synthesizerFor(MidiSequence{});
        ASSERT_FALSE(synth.ok());
        EXPECT_EQ(synth.error(),
                  "no MIDI output device (midiOutOpen: no device); the music is not played");
    }
    EXPECT_EQ(asked, 1);
}

// Without a device the card's piece still runs, silently: its player knows its length and
// moves on with the mix (the open card's player shows them), and it does not count as music
// heard (a recording without it fails).
TEST(MidiDevicePath, WithoutADeviceThePieceRunsSilently) {
    const std::string path = std::string(XMASCARD_SOURCE_DIR) + "/assets/sounds/mm.mid";
    auto music = std::make_shared<DeviceMusic>(
        [](std::string& why) -> std::unique_ptr<MidiPort> {
            why = "midiOutOpen: no device";
            return nullptr;
        },
        std::make_shared<PlaybackClock>(AudioEngine::kSampleRate));
    auto engine = AudioEngine::create(AudioEngine::Output::Offline, {}, {music, {}, {}});
    auto player = engine->createPlayer();
    player->setFileName(path);
    EXPECT_NEAR(player->duration(), 135.0, 1.0);
    std::vector<float> mix(2 * Mixer::kBlockFrames);
    const int blocks = static_cast<int>(framesOf(2.0) / Mixer::kBlockFrames);
    for (int b = 0; b < blocks; ++b) engine->render(mix.data(), Mixer::kBlockFrames);
    EXPECT_NEAR(player->currentPosition(), 2.0, 0.05);
    EXPECT_TRUE(std::all_of(mix.begin(), mix.end(), [](float v) { return v == 0.0f; }));
    EXPECT_FALSE(engine->soundsLoaded().music);
}

// A port that lets a test wait for what a dispatcher's own thread sends.
class WaitablePort final : public MidiPort {
  public:
    struct Shared {
        std::mutex mutex;
        std::condition_variable arrived;
        std::vector<std::uint32_t> sent;
    };
    explicit WaitablePort(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
    void send(std::uint32_t message) override {
        std::lock_guard<std::mutex> guard(shared_->mutex);
        shared_->sent.push_back(message);
        shared_->arrived.notify_all();
    }

  private:
    std::shared_ptr<Shared> shared_;
};

// On the device: the dispatcher's own thread sends a piece's messages once the stream has
// played their frames, and silences the device when it closes.
TEST(MidiDevicePath, TheDispatchersThreadSendsWhatIsHeard) {
    auto shared = std::make_shared<WaitablePort::Shared>();
    auto clock = std::make_shared<PlaybackClock>(AudioEngine::kSampleRate);
    {
        DeviceMusic music(
            [&](std::string&) -> std::unique_ptr<MidiPort> {
                return std::make_unique<WaitablePort>(shared);
            },
            clock);
        auto made = music.synthesizerFor(MidiSequence{});
        ASSERT_TRUE(made.ok()) << made.error();
        Synthesizer& synth = *made.value();
        clock->pullBegins();
        synth.mixFrom(0);
        synth.send({100, 0x90, 60, 100}, 100);
        synth.send({200, 0x80, 60, 0}, 200);
        clock->pullEnds(Mixer::kBlockFrames);
        clock->heardUpTo(Mixer::kBlockFrames, PlaybackClock::Clock::now());
        std::unique_lock<std::mutex> lock(shared->mutex);
        // Waits for the messages, however long the machine takes; the test's own time limit
        // ends a hang.
        shared->arrived.wait(lock, [&] { return shared->sent.size() >= 2; });
        EXPECT_EQ(shared->sent, (std::vector<std::uint32_t>{shortMessage(0x90, 60, 100),
                                                            shortMessage(0x80, 60, 0)}));
        shared->sent.clear();
    }
    // Closed: every note off, every sound off, on every channel.
    EXPECT_EQ(shared->sent.size(), static_cast<std::size_t>(DeviceChannels::kSilenceMessages));
}

}  // namespace
}  // namespace xmascard::media
