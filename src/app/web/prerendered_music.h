// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "platform/media/synthesizer.h"

namespace xmascard {

// The card's piece as it was rendered when the page was built (FluidSynth cannot run in a
// browser); null when the page carries none, and the music is then only timed.
std::shared_ptr<media::Music> prerenderedMusic();

}  // namespace xmascard
