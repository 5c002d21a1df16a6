// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "platform/media/audio_stream.h"

namespace xmascard::media {

// A stream through one of FluidSynth's audio drivers ("alsa", "jack", "oss", ...): the
// driver's thread pulls the sound. Null, with `why` set to what FluidSynth said, when the
// driver does not open.
std::unique_ptr<AudioStream> openFluidAudioStream(const std::string& driver, int sampleRate,
                                                  PullSound pull, std::string& why);

}  // namespace xmascard::media
