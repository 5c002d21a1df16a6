// SPDX-License-Identifier: MIT
#pragma once

#include <pulse/sample.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/media/audio_stream.h"

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace xmascard::media {

// A playback stream on the PulseAudio server (or PipeWire's PulseAudio service), fed from
// the server's own requests: the server asks for about 100 ms of sound at a time and keeps
// about 200 ms queued, so the thread that renders wakes some twenty times a second.
class PulseStream final : public AudioStream {
  public:
    using Pull = PullSound;

    // Connects to the server and starts playing; on failure says why and returns null.
    static std::unique_ptr<PulseStream> open(int sampleRate, Pull pull, std::string& why);
    ~PulseStream() override;

    // Rewrites the sound queued on the server from just past what it has read: a 10 ms fade
    // of what was there, then silence; then waits until the server has read the fade, for
    // at most 200 ms in all: a server that does not answer gets no fade.
    void fadeOut() override;
    // Once the connection to the server has broken (the server quit or died), why.
    std::optional<std::string> lost() const override;
    std::string reopenAs() const override { return "pulseaudio"; }
    PulseStream(const PulseStream&) = delete;
    PulseStream& operator=(const PulseStream&) = delete;

  private:
    explicit PulseStream(Pull pull);
    bool connect(int sampleRate, std::string& why);
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onWrite(pa_stream* stream, std::size_t bytes, void* self);
    void write(std::size_t bytes);
    void noteLoss();
    // With the loop locked: waits for the loop's signal, or until `deadline` (the loop's
    // monotonic clock); false when the deadline has passed.
    bool waitUntil(pa_usec_t deadline);
    // With the loop locked: asks the server where it reads, and waits for the answer until
    // `deadline`; nothing when there is none by then.
    std::optional<std::int64_t> framesRead(pa_usec_t deadline);

    // Frames rendered at once: more than a request (100 ms, even at 48 kHz), so a request
    // goes out as one block of shared memory. In two blocks, the server's replies about
    // them woke the thread 30 times a second instead of 20.
    static constexpr int kChunk = 8192;
    Pull pull_;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    std::vector<float> left_ = std::vector<float>(kChunk);
    std::vector<float> right_ = std::vector<float>(kChunk);
    // The last frames written, interleaved, kept to fade out what the server still holds.
    static constexpr std::int64_t kHistory = 32768;
    std::vector<float> history_ = std::vector<float>(2 * kHistory);
    std::int64_t written_ = 0;       // frames written since the start
    bool faded_ = false;             // nothing more is written
    std::atomic<int> lostError_{0};  // the server's error once the connection broke
};

}  // namespace xmascard::media
