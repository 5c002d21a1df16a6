// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "platform/media/video_encoder.h"

namespace xmascard {

// The video encoder lives in a module of its own (a shared library with FFmpeg behind it),
// loaded on the first video asked for and kept for the rest of the run, so that a card
// that records no video loads none of it. The module is looked for beside the program (a
// build tree), then where the install puts it (lib/games/xmascard, found from the program's own
// directory). Without it, or without the libraries it needs, the failure names what is
// missing.
media::Result<std::unique_ptr<media::VideoEncoder>> openVideoEncoder(
    const std::string& path, const media::VideoSettings& settings);

}  // namespace xmascard
