// SPDX-License-Identifier: MIT
#include "platform/media/pcm_source.h"

#include <algorithm>

namespace xmascard::media {

void PcmSource::render(float* left, float* right, int frames) {
    const std::int64_t total = clip_->frames();
    const std::int64_t start = std::clamp<std::int64_t>(cursor_, 0, total);
    const int available = static_cast<int>(std::min<std::int64_t>(frames, total - start));
    const float* data = clip_->samples.data();
    if (clip_->channels == 1) {
        std::copy(data + start, data + start + available, left);
        std::copy(data + start, data + start + available, right);
    } else {
        const float* p = data + 2 * start;
        for (int i = 0; i < available; ++i) {
            left[i] = p[2 * i];
            right[i] = p[2 * i + 1];
        }
    }
    std::fill(left + available, left + frames, 0.0f);
    std::fill(right + available, right + frames, 0.0f);
    cursor_ += frames;
}

}  // namespace xmascard::media
