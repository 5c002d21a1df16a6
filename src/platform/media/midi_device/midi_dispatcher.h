// SPDX-License-Identifier: MIT
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/media/midi_device/midi_port.h"
#include "platform/media/midi_device/playback_clock.h"

namespace xmascard::media {

// Sends a MIDI device its messages when the stream frames they belong to are heard. The
// mixer works ahead of what is heard by the stream's buffering (and a piece's events are
// sent to its synthesizer ahead of their frames), so each message waits here for its
// frame. A piece that a whole pull of the stream leaves out (paused, stopped, gone) has
// its notes silenced, as a renderer's would no longer be mixed; a stopped clock silences
// everything. One piece plays on the device at a time.
class MidiDispatcher {
  public:
    // With `ownThread` false nothing is sent but by sendDue() (for tests).
    MidiDispatcher(std::unique_ptr<MidiPort> port, std::shared_ptr<PlaybackClock> clock,
                   bool ownThread = true);
    ~MidiDispatcher();
    MidiDispatcher(const MidiDispatcher&) = delete;
    MidiDispatcher& operator=(const MidiDispatcher&) = delete;

    // Called under the mixer's lock. Neither allocates (the queue's room is made up front:
    // a message that finds it full is dropped) nor waits for more than the queue's lock.
    void post(std::int64_t due, std::uint32_t message);
    // Drops every message due at or after `from`: they belong to a timeline a reset ended.
    void dropFrom(std::int64_t from);
    // The piece is mixed in the pull that starts at `pullStart`.
    void mixed(std::int64_t pullStart);

    // Sends every message due by `heard` frames, in the order of their frames (and of
    // their posting), after silencing a piece no longer mixed.
    void sendDue(std::int64_t heard);

  private:
    struct Timed {
        std::int64_t due;
        std::uint32_t message;
    };
    static constexpr std::size_t kRoom = 16384;

    void run();
    // Under mutex_: silences the device from `from` on.
    void silenceFrom(std::int64_t from);

    std::unique_ptr<MidiPort> port_;
    std::shared_ptr<PlaybackClock> clock_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Timed> queue_;  // in the order of `due`
    std::int64_t mixedPull_ = -1;
    bool sounding_ = false;
    bool stopped_ = false;
    bool quit_ = false;
    std::thread thread_;
};

}  // namespace xmascard::media
