// SPDX-License-Identifier: MIT
#pragma once

#include <future>
#include <memory>
#include <string>

#include "app/recording_sink.h"
#include "platform/graphics.h"
#include "platform/io/safe_file.h"
#include "platform/media/wav_writer.h"

namespace xmascard {

// PNG frames of the screen (frame-00000.png, ...) and the mixed sound (soundtrack.wav) in a
// directory, which is made when it does not exist.
class FrameDirectorySink final : public RecordingSink {
  public:
    // Null, after one line on standard error, when the directory or the WAV file cannot be
    // made.
    static std::unique_ptr<FrameDirectorySink> open(const std::string& directory,
                                                    Graphics& graphics, int sampleRate);

    bool addFrame(std::unique_ptr<Image> screen) override;
    bool addAudio(const float* interleaved, int frames) override;
    bool finish() override;
    void abandon() override;
    std::string destination() const override {
        return "and soundtrack.wav in " + directory_.path();
    }

  private:
    FrameDirectorySink(io::Directory directory, Graphics& graphics,
                       std::unique_ptr<media::WavWriter> wav)
        : directory_(std::move(directory)), graphics_(graphics), wav_(std::move(wav)) {}

    io::Directory directory_;
    Graphics& graphics_;
    std::unique_ptr<media::WavWriter> wav_;
    int frames_ = 0;
    std::future<bool> pending_;
    bool failed_ = false;  // a frame could not be saved
};

}  // namespace xmascard
