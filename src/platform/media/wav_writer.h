// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace xmascard::media {

class AudioEngine;

// Writes 16-bit stereo PCM into a WAV file as the samples come, patching the sizes in
// the header when it is closed. Samples are clamped to [-1, 1].
class WavWriter {
  public:
    // Opens the file for writing; on failure prints one line on standard error and
    // returns null.
    static std::unique_ptr<WavWriter> open(const std::string& path, int sampleRate);
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    // Appends `frames` interleaved stereo frames.
    bool write(const float* interleaved, int frames);
    // Finishes the header and closes the file; true when everything was written.
    bool close();

    std::int64_t framesWritten() const { return frames_; }

  private:
    WavWriter(std::FILE* file, std::string path, int sampleRate)
        : file_(file), path_(std::move(path)), sampleRate_(sampleRate) {}
    bool writeHeader();

    std::FILE* file_;
    std::string path_;
    int sampleRate_;
    std::int64_t frames_ = 0;
    bool failed_ = false;
};

// Renders `seconds` of the engine's mix (Offline; other engines give silence) into a
// 16-bit stereo WAV file at the engine's rate. Prints one line and returns false when
// the file cannot be written.
bool writeWav(AudioEngine& engine, const std::string& path, double seconds);

}  // namespace xmascard::media
