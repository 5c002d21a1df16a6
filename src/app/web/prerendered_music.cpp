// SPDX-License-Identifier: MIT
#include "app/web/prerendered_music.h"

namespace xmascard {

std::shared_ptr<media::Music> prerenderedMusic() { return nullptr; }

}  // namespace xmascard
