// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "platform/media/audio_engine.h"

namespace xmascard::media {

// How the card sounds on Linux: its music through FluidSynth and a General MIDI SoundFont
// (`soundFont` names one instead of the usual places), its sound through PulseAudio (which
// PipeWire also serves), else ALSA when there is a sound card; `deviceChoice` names one
// device alone ("pulseaudio", or a FluidSynth driver such as "alsa" or "jack").
SoundSystem linuxSoundSystem(std::string deviceChoice = "",
                             std::optional<std::string> soundFont = {});

}  // namespace xmascard::media
