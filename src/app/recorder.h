// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "app/record_options.h"
#include "windows/card_names.h"

namespace xmascard {

class Graphics;

namespace media {
class Music;
}

// Plays the whole show without opening a window, under a virtual clock and as fast as the
// machine allows, into frames of the whole screen and the mixed sound: PNG frames
// (frame-00000.png, ...) and soundtrack.wav in a directory, or one video file with its
// sound. The card carries `names`. The pictures are drawn with the backend's graphics, the
// music plays on its music, and the card's sound files go into its sound directory. On a
// terminal a progress bar shows the time left. A signal (signal_ending) stops it cleanly: a
// video half written is removed. Returns the process exit status: 1 when a file cannot be
// written, or when the soundtrack lacks the music or the bells (unless `silent`).
struct RecordingBackend {
    Graphics& graphics;
    std::shared_ptr<media::Music> music;
    std::string soundDirectory;
};
int recordShow(const RecordOptions& options, const CardNames& names,
               const RecordingBackend& backend);

}  // namespace xmascard
