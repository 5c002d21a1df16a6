// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "platform/media/volume.h"

namespace xmascard::media {

// What a player plays: one pass of one file, rendered on demand. Sources are driven by
// the mixer only, under its lock, so they need no locking of their own; render() must
// not allocate, block or touch the file system.
class Source {
  public:
    virtual ~Source() = default;

    // Places the source so that the next render() starts `frame` frames into the pass.
    virtual void seek(std::int64_t frame) = 0;

    // Writes (not adds) the next `frames` frames into `left` and `right`.
    virtual void render(float* left, float* right, int frames) = 0;

    // The player's volume. The mixer applies it to what render() gives; a source whose
    // sound does not pass through the mixer (a MIDI device) applies it itself.
    virtual void setVolume(Volume) {}
};

}  // namespace xmascard::media
