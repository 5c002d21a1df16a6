// SPDX-License-Identifier: MIT
#pragma once

#include <future>
#include <memory>
#include <string>

#include "app/recording_sink.h"
#include "platform/graphics.h"
#include "platform/io/safe_file.h"
#include "platform/io/shown_text.h"
#include "platform/media/wav_writer.h"

namespace xmascard {

// PNG frames of the screen (frame-00000.png, ...) and the mixed sound (soundtrack.wav) in a
// directory, which is made when it does not exist. Temporary files of these names that
// killed recordings left there are removed first.
class FrameDirectorySink final : public RecordingSink {
  public:
    // Null, after one line on standard error, when the directory or the WAV file cannot be
    // made.
    static std::unique_ptr<FrameDirectorySink> open(const std::string& directory,
                                                    Graphics& graphics, int sampleRate);

    bool addFrame(std::unique_ptr<Image> screen) override;
    bool addAudio(const float* interleaved, int frames) override;
    bool finish() override;
    void abandon(Stop why) override;
    std::string destination() const override {
        return "and soundtrack.wav in " + io::shown(directory_.path());
    }

  private:
    FrameDirectorySink(io::Directory directory, bool made, Graphics& graphics,
                       std::unique_ptr<media::WavWriter> wav)
        : directory_(std::move(directory)),
          made_(made),
          graphics_(graphics),
          wav_(std::move(wav)) {}

    io::Directory directory_;
    bool made_;  // the directory was made for this recording
    Graphics& graphics_;
    std::unique_ptr<media::WavWriter> wav_;
    int frames_ = 0;
    std::future<bool> pending_;
    bool failed_ = false;  // a frame could not be saved
};

}  // namespace xmascard
