// SPDX-License-Identifier: MIT
#pragma once

#include <fluidsynth.h>

#include <memory>
#include <string>

namespace xmascard::media {

// FluidSynth settings shared by the engine's synthesizers, SoundFont and audio driver.
// They must outlive every object made from them, hence the shared ownership.
using FluidSettings = std::shared_ptr<fluid_settings_t>;

// Settings for the engine: 44.1 kHz, one render thread (ours), no internal locking (the
// mixer serialises every call), bounded polyphony, no memory locking.
FluidSettings makeFluidSettings(int sampleRate);

// FluidSynth writes its own messages to standard error by default. The engine routes
// them here instead, so that each failure gives one line of ours. While a capture is
// alive on a thread, the last error or warning FluidSynth reports on that thread is
// kept; messages on other threads (the audio thread) are dropped without allocating.
class FluidErrorCapture {
  public:
    FluidErrorCapture();
    ~FluidErrorCapture();
    FluidErrorCapture(const FluidErrorCapture&) = delete;
    FluidErrorCapture& operator=(const FluidErrorCapture&) = delete;

    // The last message, or `fallback` when there was none.
    std::string last(const std::string& fallback) const;

  private:
    std::string message_;
    FluidErrorCapture* previous_;
};

}  // namespace xmascard::media
