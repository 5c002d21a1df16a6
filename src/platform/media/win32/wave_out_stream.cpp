// SPDX-License-Identifier: MIT
#include "platform/media/win32/wave_out_stream.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/media/win32/winmm_text.h"

namespace xmascard::media {
namespace {

// One block of the mixer a buffer, so that a piece's mixing starts where a pull does (a
// MIDI device times its events from there).
constexpr int kFrames = 1024;
constexpr int kBuffers = 4;
// The fade at the end: 5 ms at 44.1 kHz.
constexpr int kFadeFrames = 220;

class WaveOutStream final : public AudioStream {
  public:
    WaveOutStream(HWAVEOUT out, HANDLE done, PullSound pull, std::shared_ptr<PlaybackClock> clock)
        : out_(out), done_(done), pull_(std::move(pull)), clock_(std::move(clock)) {}
    ~WaveOutStream() override;
    WaveOutStream(const WaveOutStream&) = delete;
    WaveOutStream& operator=(const WaveOutStream&) = delete;

    // Queues every buffer and starts the thread; false with `why` when the device refuses.
    bool start(std::string& why);
    void fadeOut() override;

  private:
    struct Buffer {
        WAVEHDR header{};
        std::array<std::int16_t, 2 * kFrames> samples{};
    };

    void run();
    // Pulls the next block into `buffer` (faded out once asked) and queues it.
    bool fill(Buffer& buffer);

    HWAVEOUT out_;
    HANDLE done_;  // signalled by winmm whenever a buffer has played
    PullSound pull_;
    std::shared_ptr<PlaybackClock> clock_;
    std::array<Buffer, kBuffers> buffers_{};
    std::array<float, kFrames> left_{}, right_{};
    std::int64_t heard_ = 0;
    std::atomic<bool> fadeAsked_{false};
    std::atomic<bool> quit_{false};
    std::mutex mutex_;
    std::condition_variable silent_;
    bool faded_ = false;  // the last, faded block is queued; nothing more is pulled
    bool quiet_ = false;  // ... and it has played
    std::thread thread_;
};

std::int16_t sample(float x) {
    return static_cast<std::int16_t>(std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f));
}

bool WaveOutStream::start(std::string& why) {
    for (Buffer& buffer : buffers_) {
        buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
        buffer.header.dwBufferLength = sizeof buffer.samples;
        const MMRESULT result = waveOutPrepareHeader(out_, &buffer.header, sizeof(WAVEHDR));
        if (result != MMSYSERR_NOERROR) {
            why = waveOutProblem("waveOutPrepareHeader", result);
            return false;
        }
    }
    for (Buffer& buffer : buffers_) {
        if (!fill(buffer)) {
            why = "waveOutWrite failed";
            return false;
        }
    }
    thread_ = std::thread([this] { run(); });
    return true;
}

bool WaveOutStream::fill(Buffer& buffer) {
    clock_->pullBegins();
    pull_(left_.data(), right_.data(), kFrames);
    clock_->pullEnds(kFrames);
    const bool fading = fadeAsked_.load();
    for (int i = 0; i < kFrames; ++i) {
        const float gain =
            fading ? std::max(0.0f, 1.0f - static_cast<float>(i) / kFadeFrames) : 1.0f;
        buffer.samples[2 * i] = sample(left_[i] * gain);
        buffer.samples[2 * i + 1] = sample(right_[i] * gain);
    }
    if (fading) {
        std::lock_guard<std::mutex> guard(mutex_);
        faded_ = true;
    }
    return waveOutWrite(out_, &buffer.header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
}

void WaveOutStream::run() {
    std::size_t next = 0;  // buffers play in the order they were queued
    int queued = kBuffers;
    while (!quit_.load()) {
        WaitForSingleObject(done_, 50);
        while ((buffers_[next].header.dwFlags & WHDR_DONE) && queued > 0) {
            heard_ += kFrames;
            clock_->heardUpTo(heard_, PlaybackClock::Clock::now());
            buffers_[next].header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
            --queued;
            bool stopPulling = false;
            {
                std::lock_guard<std::mutex> guard(mutex_);
                stopPulling = faded_;
            }
            if (!stopPulling && fill(buffers_[next])) ++queued;
            next = (next + 1) % kBuffers;
        }
        if (queued == 0) {
            std::lock_guard<std::mutex> guard(mutex_);
            quiet_ = true;
            silent_.notify_all();
            if (faded_) break;
        }
    }
}

void WaveOutStream::fadeOut() {
    clock_->stop();
    fadeAsked_.store(true);
    // The buffers queued before the faded one still play: about 70 ms.
    std::unique_lock<std::mutex> lock(mutex_);
    silent_.wait_for(lock, std::chrono::milliseconds(300), [this] { return quiet_; });
}

WaveOutStream::~WaveOutStream() {
    quit_.store(true);
    SetEvent(done_);
    if (thread_.joinable()) thread_.join();
    waveOutReset(out_);
    for (Buffer& buffer : buffers_)
        if (buffer.header.dwFlags & WHDR_PREPARED)
            waveOutUnprepareHeader(out_, &buffer.header, sizeof(WAVEHDR));
    waveOutClose(out_);
    CloseHandle(done_);
}

}  // namespace

std::unique_ptr<AudioStream> openWaveOutStream(int sampleRate, PullSound pull,
                                               std::shared_ptr<PlaybackClock> clock,
                                               std::string& why) {
    // winmm's words for a missing device speak of a device number out of range.
    if (waveOutGetNumDevs() == 0) {
        why = "waveOut: the system has no sound device";
        return nullptr;
    }
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    HANDLE done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!done) {
        why = "CreateEvent failed";
        return nullptr;
    }
    HWAVEOUT out = nullptr;
    const MMRESULT result = waveOutOpen(&out, WAVE_MAPPER, &format,
                                        reinterpret_cast<DWORD_PTR>(done), 0, CALLBACK_EVENT);
    if (result != MMSYSERR_NOERROR) {
        CloseHandle(done);
        why = waveOutProblem("waveOutOpen", result);
        return nullptr;
    }
    auto stream = std::make_unique<WaveOutStream>(out, done, std::move(pull), std::move(clock));
    if (!stream->start(why)) return nullptr;
    return stream;
}

}  // namespace xmascard::media
