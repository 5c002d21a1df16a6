// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace xmascard {

struct RecordOptions {
    std::string directory;
    int fps = 25;
    int screenWidth = 1280;
    int screenHeight = 800;
    // The soundtrack is silence, on purpose: no music or bells are needed for it.
    bool silent = false;
};

// Plays the whole show without opening a window, under a virtual clock and as fast as the
// machine allows, into PNG frames of the whole screen (frame-00000.png, ...) and the mixed
// sound (soundtrack.wav) in the directory. Returns the process exit status: 1 when a file
// cannot be written, or when the soundtrack lacks the music or the bells (unless `silent`).
int recordShow(const RecordOptions& options);

}  // namespace xmascard
