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
    // Why a recording stops early.
    enum class Stop {
        // The user interrupted it: what may be kept is kept (frames written so far, a
        // soundtrack closed so that it plays), what may not (a video half written) goes.
        Interrupted,
        // It is not what was asked for (its soundtrack lacks what the show plays): every
        // file it would have replaced stays as it was, and nothing new is put in place.
        Failed,
    };
    virtual void abandon(Stop why) = 0;
    // Where the recording went, to close the sentence "recorded N s in M frames at F fps".
    virtual std::string destination() const = 0;
};

}  // namespace xmascard
