// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

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
};

}  // namespace xmascard::media
