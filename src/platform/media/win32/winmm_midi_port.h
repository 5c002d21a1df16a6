// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "platform/media/midi_device/midi_port.h"

namespace xmascard::media {

// The system's General MIDI synthesizer through winmm's MIDI mapper. Null, with `why`
// saying what midiOutOpen answered, when there is none (as under Wine without a
// sequencer).
std::unique_ptr<MidiPort> openSystemMidiPort(std::string& why);

}  // namespace xmascard::media
