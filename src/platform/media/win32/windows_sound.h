// SPDX-License-Identifier: MIT
#pragma once

#include "platform/media/audio_engine.h"

namespace xmascard::media {

// How the card sounds on Windows: its sound through waveOut to the default device, its
// music as MIDI events to the system's General MIDI synthesizer, timed to be heard with
// the sound.
SoundSystem windowsSoundSystem();

}  // namespace xmascard::media
