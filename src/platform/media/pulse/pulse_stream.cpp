// SPDX-License-Identifier: MIT
#include "platform/media/pulse/pulse_stream.h"

#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

#include "build_info.h"

namespace xmascard::media {

namespace {
constexpr pa_usec_t kQueued = 200 * 1000;   // sound kept queued on the server
constexpr pa_usec_t kRequest = 100 * 1000;  // sound asked for at a time
constexpr std::size_t kFrameBytes = 2 * sizeof(float);
// The longest the fade-out waits on the server: a server that does not answer (stopped,
// or stuck) may not hold up the end of the card.
constexpr pa_usec_t kFadeDeadline = 200 * 1000;

struct ProplistFree {
    void operator()(pa_proplist* list) const { pa_proplist_free(list); }
};
using Proplist = std::unique_ptr<pa_proplist, ProplistFree>;

// What volume mixers show and file the program's sound under: its name and icon, the
// launcher it belongs to, and the role of its one stream.
Proplist applicationProperties() {
    Proplist list(pa_proplist_new());
    pa_proplist_sets(list.get(), PA_PROP_APPLICATION_NAME, XMASCARD_TITLE);
    pa_proplist_sets(list.get(), PA_PROP_APPLICATION_ID, XMASCARD_APP_ID);
    pa_proplist_sets(list.get(), PA_PROP_APPLICATION_ICON_NAME, XMASCARD_ICON_NAME);
    pa_proplist_sets(list.get(), PA_PROP_APPLICATION_VERSION, XMASCARD_VERSION);
    return list;
}

Proplist streamProperties() {
    Proplist list(pa_proplist_new());
    pa_proplist_sets(list.get(), PA_PROP_MEDIA_ROLE, "music");
    pa_proplist_sets(list.get(), PA_PROP_MEDIA_ICON_NAME, XMASCARD_ICON_NAME);
    return list;
}
}  // namespace

PulseStream::PulseStream(Pull pull) : pull_(std::move(pull)) {}

std::unique_ptr<PulseStream> PulseStream::open(int sampleRate, Pull pull, std::string& why) {
    std::unique_ptr<PulseStream> stream(new PulseStream(std::move(pull)));
    if (!stream->connect(sampleRate, why)) return nullptr;
    return stream;
}

bool PulseStream::connect(int sampleRate, std::string& why) {
    loop_ = pa_threaded_mainloop_new();
    if (!loop_) {
        why = "out of memory";
        return false;
    }
    context_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_), XMASCARD_TITLE,
                                            applicationProperties().get());
    if (!context_ || pa_threaded_mainloop_start(loop_) < 0) {
        why = "cannot start";
        return false;
    }
    pa_threaded_mainloop_lock(loop_);
    // Every failure below happens with the loop locked and is told by the context.
    const auto failLocked = [&] {
        why = pa_strerror(pa_context_errno(context_));
        pa_threaded_mainloop_unlock(loop_);
        return false;
    };
    pa_context_set_state_callback(context_, &PulseStream::onContextState, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        return failLocked();
    }
    pa_context_state_t state;
    while ((state = pa_context_get_state(context_)) != PA_CONTEXT_READY &&
           PA_CONTEXT_IS_GOOD(state))
        pa_threaded_mainloop_wait(loop_);
    if (state != PA_CONTEXT_READY) {
        return failLocked();
    }
    const pa_sample_spec format{PA_SAMPLE_FLOAT32LE, static_cast<std::uint32_t>(sampleRate), 2};
    stream_ = pa_stream_new_with_proplist(context_, "Christmas card", &format, nullptr,
                                          streamProperties().get());
    if (!stream_) {
        return failLocked();
    }
    pa_stream_set_state_callback(stream_, &PulseStream::onStreamState, this);
    pa_stream_set_write_callback(stream_, &PulseStream::onWrite, this);
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kQueued, &format));
    attr.prebuf = static_cast<std::uint32_t>(-1);
    attr.minreq = static_cast<std::uint32_t>(pa_usec_to_bytes(kRequest, &format));
    attr.fragsize = static_cast<std::uint32_t>(-1);
    if (pa_stream_connect_playback(stream_, nullptr, &attr, PA_STREAM_NOFLAGS, nullptr, nullptr) <
        0) {
        return failLocked();
    }
    pa_stream_state_t streamState;
    while ((streamState = pa_stream_get_state(stream_)) != PA_STREAM_READY &&
           PA_STREAM_IS_GOOD(streamState))
        pa_threaded_mainloop_wait(loop_);
    pa_threaded_mainloop_unlock(loop_);
    if (streamState != PA_STREAM_READY) {
        why = pa_strerror(pa_context_errno(context_));
        return false;
    }
    return true;
}

PulseStream::~PulseStream() {
    if (loop_) pa_threaded_mainloop_stop(loop_);
    if (stream_) {
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
    }
    if (context_) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    if (loop_) pa_threaded_mainloop_free(loop_);
}

void PulseStream::onContextState(pa_context* context, void* self) {
    auto* stream = static_cast<PulseStream*>(self);
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context))) stream->noteLoss();
    pa_threaded_mainloop_signal(stream->loop_, 0);
}

void PulseStream::onStreamState(pa_stream* s, void* self) {
    auto* stream = static_cast<PulseStream*>(self);
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(s))) stream->noteLoss();
    pa_threaded_mainloop_signal(stream->loop_, 0);
}

// Runs on the stream's thread, with the loop locked.
void PulseStream::noteLoss() {
    if (lostError_.load(std::memory_order_relaxed) != 0) return;
    const int error = context_ ? pa_context_errno(context_) : PA_ERR_CONNECTIONTERMINATED;
    lostError_.store(error != PA_OK ? error : PA_ERR_CONNECTIONTERMINATED,
                     std::memory_order_release);
}

std::optional<std::string> PulseStream::lost() const {
    const int error = lostError_.load(std::memory_order_acquire);
    if (error == 0) return std::nullopt;
    return std::string("the sound server went away (") + pa_strerror(error) + ")";
}

bool PulseStream::waitUntil(pa_usec_t deadline) {
    if (pa_rtclock_now() >= deadline) return false;
    // The loop's own timer wakes this wait at the deadline should nothing else.
    pa_time_event* alarm = pa_context_rttime_new(
        context_, deadline,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
            pa_threaded_mainloop_signal(static_cast<PulseStream*>(self)->loop_, 0);
        },
        this);
    if (!alarm) return false;
    pa_threaded_mainloop_wait(loop_);
    pa_threaded_mainloop_get_api(loop_)->time_free(alarm);
    return true;
}

void PulseStream::onWrite(pa_stream*, std::size_t bytes, void* self) {
    static_cast<PulseStream*>(self)->write(bytes);
}

// Runs on the stream's thread. Writes into the server's own memory block; nothing here
// allocates.
void PulseStream::write(std::size_t bytes) {
    while (!faded_ && bytes >= kFrameBytes) {
        void* data = nullptr;
        std::size_t size = std::min(bytes, kChunk * kFrameBytes);
        if (pa_stream_begin_write(stream_, &data, &size) < 0 || !data) return;
        const int frames = static_cast<int>(std::min(size, kChunk * kFrameBytes) / kFrameBytes);
        pull_(left_.data(), right_.data(), frames);
        auto* out = static_cast<float*>(data);
        for (int i = 0; i < frames; ++i, ++written_) {
            out[2 * i] = std::clamp(left_[i], -1.0f, 1.0f);
            out[2 * i + 1] = std::clamp(right_[i], -1.0f, 1.0f);
            float* kept = &history_[static_cast<std::size_t>(2 * (written_ % kHistory))];
            kept[0] = out[2 * i];
            kept[1] = out[2 * i + 1];
        }
        pa_stream_write(stream_, data, frames * kFrameBytes, nullptr, 0, PA_SEEK_RELATIVE);
        bytes -= frames * kFrameBytes;
    }
}

std::optional<std::int64_t> PulseStream::framesRead(pa_usec_t deadline) {
    pa_operation* update = pa_stream_update_timing_info(
        stream_,
        [](pa_stream*, int, void* self) {
            pa_threaded_mainloop_signal(static_cast<PulseStream*>(self)->loop_, 0);
        },
        this);
    if (!update) return std::nullopt;
    bool answered = true;
    while (pa_operation_get_state(update) == PA_OPERATION_RUNNING)
        if (!waitUntil(deadline)) {
            answered = false;
            pa_operation_cancel(update);
            break;
        }
    const bool done = answered && pa_operation_get_state(update) == PA_OPERATION_DONE;
    pa_operation_unref(update);
    if (!done) return std::nullopt;
    const pa_timing_info* timing = pa_stream_get_timing_info(stream_);
    if (!timing || timing->read_index_corrupt) return std::nullopt;
    return timing->read_index / static_cast<std::int64_t>(kFrameBytes);
}

void PulseStream::fadeOut() {
    // Past what the server has read by the time the rewrite reaches it, and 10 ms long.
    constexpr std::int64_t kMargin = 1024;
    constexpr std::int64_t kFade = 441;
    const pa_usec_t deadline = pa_rtclock_now() + kFadeDeadline;
    pa_threaded_mainloop_lock(loop_);
    faded_ = true;
    if (lostError_.load(std::memory_order_acquire) != 0) {
        pa_threaded_mainloop_unlock(loop_);
        return;
    }
    const std::optional<std::int64_t> read = framesRead(deadline);
    if (read) {
        const std::int64_t start = *read + kMargin;
        const std::int64_t end = written_;
        if (start < end && end - start <= kHistory) {
            std::vector<float> tail(static_cast<std::size_t>(2 * (end - start)), 0.0f);
            for (std::int64_t f = 0; f < std::min(kFade, end - start); ++f) {
                const float gain = 1.0f - static_cast<float>(f + 1) / kFade;
                const float* kept =
                    &history_[static_cast<std::size_t>(2 * ((start + f) % kHistory))];
                tail[static_cast<std::size_t>(2 * f)] = kept[0] * gain;
                tail[static_cast<std::size_t>(2 * f + 1)] = kept[1] * gain;
            }
            pa_stream_write(stream_, tail.data(), tail.size() * sizeof(float), nullptr,
                            start * static_cast<std::int64_t>(kFrameBytes), PA_SEEK_ABSOLUTE);
            // The stream may go once the server has taken the fade, or at the deadline.
            for (;;) {
                const std::optional<std::int64_t> now = framesRead(deadline);
                if (!now || *now >= start + kFade || pa_rtclock_now() >= deadline) break;
                pa_threaded_mainloop_unlock(loop_);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                pa_threaded_mainloop_lock(loop_);
            }
        }
    }
    pa_threaded_mainloop_unlock(loop_);
}

}  // namespace xmascard::media
