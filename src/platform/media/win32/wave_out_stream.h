// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "platform/media/audio_stream.h"
#include "platform/media/midi_device/playback_clock.h"

namespace xmascard::media {

// A stream to the system's default sound device through winmm's waveOut: a thread of its
// own keeps four buffers of one mixer block each (1024 frames, 23 ms) queued, pulling
// planar float stereo and writing 16-bit samples, and tells `clock` what it pulls and
// what is heard. Null, with the reason, when the device does not open.
std::unique_ptr<AudioStream> openWaveOutStream(int sampleRate, PullSound pull,
                                               std::shared_ptr<PlaybackClock> clock,
                                               std::string& why);

}  // namespace xmascard::media
