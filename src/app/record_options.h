// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace xmascard {

// How the show is recorded (--record and the options that shape it).
struct RecordOptions {
    // Where the recording goes: a video file when the name ends in .mp4, .webm or .mkv
    // (and no directory of that name exists), else a directory.
    std::string directory;
    int fps = 25;
    int screenWidth = 1280;
    int screenHeight = 800;
    bool silent = false;  // a silent soundtrack on purpose
};

}  // namespace xmascard
