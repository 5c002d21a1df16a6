// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "platform/media/mp3_decoder.h"
#include "platform/media/source.h"

namespace xmascard::media {

// Plays a decoded clip held in memory. A mono clip sounds at full level on both sides.
class PcmSource final : public Source {
  public:
    explicit PcmSource(std::shared_ptr<const PcmClip> clip) : clip_(std::move(clip)) {}

    void seek(std::int64_t frame) override { cursor_ = frame; }
    void render(float* left, float* right, int frames) override;

  private:
    std::shared_ptr<const PcmClip> clip_;
    std::int64_t cursor_ = 0;
};

}  // namespace xmascard::media
