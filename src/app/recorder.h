// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "windows/card_names.h"

namespace xmascard {

class Graphics;

struct RecordOptions {
    // Where the recording goes: a video file when the name ends in .mp4, .webm or .mkv
    // (and no directory of that name exists), else a directory.
    std::string directory;
    int fps = 25;
    int screenWidth = 1280;
    int screenHeight = 800;
};

// Plays the whole show without opening a window, under a virtual clock and as fast as the
// machine allows, into frames of the whole screen and the mixed sound: PNG frames
// (frame-00000.png, ...) and soundtrack.wav in a directory, or one video file with its
// sound. The card carries `names`. The pictures are drawn with `graphics`; the card's
// sound files go into `soundDirectory`. On a terminal a progress bar shows the time left. A
// signal (signal_ending) stops it cleanly: a video half written is removed. Returns the
// process exit status.
int recordShow(const RecordOptions& options, const CardNames& names, Graphics& graphics,
               const std::string& soundDirectory);

}  // namespace xmascard
