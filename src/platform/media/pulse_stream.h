// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace xmascard::media {

// A playback stream on the PulseAudio server (or PipeWire's PulseAudio service), fed from
// the server's own requests: the server asks for about 100 ms of sound at a time and keeps
// about 200 ms queued, so the thread that renders wakes some twenty times a second.
class PulseStream {
  public:
    // Fills `frames` planar stereo frames; called on the stream's thread.
    using Pull = std::function<void(float* left, float* right, int frames)>;

    // Connects to the server and starts playing; on failure says why and returns null.
    static std::unique_ptr<PulseStream> open(int sampleRate, Pull pull, std::string& why);
    ~PulseStream();
    PulseStream(const PulseStream&) = delete;
    PulseStream& operator=(const PulseStream&) = delete;

  private:
    explicit PulseStream(Pull pull);
    bool connect(int sampleRate, std::string& why);
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onWrite(pa_stream* stream, std::size_t bytes, void* self);
    void write(std::size_t bytes);

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
};

}  // namespace xmascard::media
