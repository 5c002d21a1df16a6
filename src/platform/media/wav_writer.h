// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/io/safe_file.h"

namespace xmascard::media {

class AudioEngine;

// Writes 16-bit stereo PCM into a WAV file as the samples come, patching the sizes in
// the header when it is closed. Samples are clamped to [-1, 1]. The file is written through
// an io::SafeFileWriter: beside its name until it is closed, never through a link or into a
// FIFO put at its name, and flushed to the disk before it takes its place.
class WavWriter {
  public:
    // Starts the file; on failure prints one line with the cause on standard error and
    // returns null.
    static std::unique_ptr<WavWriter> open(const std::string& path, int sampleRate);
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    // Appends `frames` interleaved stereo frames.
    bool write(const float* interleaved, int frames);
    // Finishes the header and puts the file in place; true when everything was written,
    // else one line with the cause on standard error (the name is then left as it was).
    // A writer dropped without close() leaves the name as it was too.
    bool close();

    std::int64_t framesWritten() const { return frames_; }

  private:
    WavWriter(io::SafeFileWriter file, std::string path, int sampleRate)
        : file_(std::move(file)), path_(std::move(path)), sampleRate_(sampleRate) {}
    enum class HeaderPlace { Append, Patch };
    bool writeHeader(HeaderPlace place);

    io::SafeFileWriter file_;
    bool open_ = true;
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
