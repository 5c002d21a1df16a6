// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "platform/canvas.h"

namespace xmascard {

// Where a recording's frames and sound go: a directory of PNG frames and a WAV file, or
// one video file. The recorder plays the show into it the same way for both.
class RecordingSink {
  public:
    virtual ~RecordingSink() = default;

    // The next frame of the screen. False once the recording cannot go on.
    virtual bool addFrame(std::unique_ptr<Image> screen) = 0;
    // The next `frames` frames of the mix, interleaved stereo. False as addFrame.
    virtual bool addAudio(const float* interleaved, int frames) = 0;
    // Completes the recording. On failure prints one line on standard error and returns
    // false.
    virtual bool finish() = 0;
    // Stops early (the user interrupted): keeps what may be kept, removes what may not.
    virtual void abandon() = 0;
    // Where the recording went, to close the sentence "recorded N s in M frames at F fps".
    virtual std::string destination() const = 0;
};

}  // namespace xmascard
