// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace xmascard {

class Graphics;

struct RecordOptions {
    std::string directory;
    int fps = 25;
    int screenWidth = 1280;
    int screenHeight = 800;
};

// Plays the whole show without opening a window, under a virtual clock and as fast as the
// machine allows, into PNG frames of the whole screen (frame-00000.png, ...) and the mixed
// sound (soundtrack.wav) in the directory. Returns the process exit status.
int recordShow(const RecordOptions& options, Graphics& graphics,
               const std::string& soundDirectory);

}  // namespace xmascard
