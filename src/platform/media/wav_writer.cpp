// SPDX-License-Identifier: MIT
#include "platform/media/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/media/audio_engine.h"
#include "platform/media/engine_core.h"

namespace xmascard::media {
namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;
constexpr std::int64_t kMaxDataBytes = 0xFFFFFFFFLL - 36;

void putLe(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::unique_ptr<WavWriter> WavWriter::open(const std::string& path, int sampleRate) {
    auto file = io::SafeFileWriter::create(path);
    if (!file.ok()) {
        reportProblem(path, "cannot write (" + file.error() + ")");
        return nullptr;
    }
    std::unique_ptr<WavWriter> writer(new WavWriter(file.take(), path, sampleRate));
    if (!writer->writeHeader(HeaderPlace::Append)) {
        reportProblem(path, "cannot write (" + writer->file_.error() + ")");
        return nullptr;
    }
    return writer;
}

WavWriter::~WavWriter() = default;

bool WavWriter::writeHeader(HeaderPlace place) {
    const std::int64_t dataBytes =
        std::min<std::int64_t>(frames_ * kChannels * kBytesPerSample, kMaxDataBytes);
    std::uint8_t header[44];
    std::memcpy(header, "RIFF", 4);
    putLe(header + 4, static_cast<std::uint32_t>(36 + dataBytes), 4);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    putLe(header + 16, 16, 4);
    putLe(header + 20, 1, 2);  // PCM
    putLe(header + 22, kChannels, 2);
    putLe(header + 24, static_cast<std::uint32_t>(sampleRate_), 4);
    putLe(header + 28, static_cast<std::uint32_t>(sampleRate_ * kChannels * kBytesPerSample), 4);
    putLe(header + 32, kChannels * kBytesPerSample, 2);
    putLe(header + 34, 8 * kBytesPerSample, 2);
    std::memcpy(header + 36, "data", 4);
    putLe(header + 40, static_cast<std::uint32_t>(dataBytes), 4);
    // The first header takes its place at the start; the final one patches it there.
    return place == HeaderPlace::Append ? file_.write(header) : file_.writeAt(0, header);
}

bool WavWriter::write(const float* interleaved, int frames) {
    if (!open_ || failed_) return false;
    std::uint8_t block[4096];
    const std::size_t samples = static_cast<std::size_t>(frames) * kChannels;
    for (std::size_t done = 0; done < samples;) {
        std::size_t count = std::min(samples - done, sizeof block / kBytesPerSample);
        for (std::size_t i = 0; i < count; ++i) {
            float x = std::clamp(interleaved[done + i], -1.0f, 1.0f);
            auto value = static_cast<std::int16_t>(std::lrint(x * 32767.0f));
            putLe(block + 2 * i, static_cast<std::uint16_t>(value), 2);
        }
        if (!file_.write(std::span<const std::uint8_t>(block, count * kBytesPerSample))) {
            failed_ = true;
            return false;
        }
        done += count;
    }
    frames_ += frames;
    return true;
}

bool WavWriter::close() {
    if (!open_) return !failed_;
    open_ = false;
    if (!failed_ && writeHeader(HeaderPlace::Patch) && file_.commit()) return true;
    failed_ = true;
    reportProblem(path_, "cannot write (" + file_.error() + ")");
    return false;
}

bool writeWav(AudioEngine& engine, const std::string& path, double seconds) {
    auto writer = WavWriter::open(path, AudioEngine::kSampleRate);
    if (!writer) return false;
    std::int64_t total =
        std::isfinite(seconds) && seconds > 0
            ? static_cast<std::int64_t>(std::llround(seconds * AudioEngine::kSampleRate))
            : 0;
    float block[2 * 4096];
    while (total > 0) {
        int count = static_cast<int>(std::min<std::int64_t>(total, 4096));
        engine.render(block, count);
        if (!writer->write(block, count)) break;
        total -= count;
    }
    return writer->close();
}

}  // namespace xmascard::media
