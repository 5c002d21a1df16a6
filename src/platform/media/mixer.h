// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/media/source.h"

namespace xmascard::media {

// The playing state of one player, as the mixer sees it. Every field is guarded by the
// mixer's mutex: the user-interface thread changes it in short critical sections, the
// mixer reads and advances it while it renders.
struct Voice {
    std::unique_ptr<Source> source;  // null when nothing is loaded, or when only timing counts
    std::int64_t lengthFrames = 0;   // one pass
    std::int64_t position = 0;       // frames into the current pass
    int passesDone = 0;
    int playCount = 1;  // 0: repeat without end
    bool playing = false;
    bool sourceInSync = false;  // the source is placed at `position`

    float gain = 1.0f;        // gain applied now
    float targetGain = 1.0f;  // gain asked for; reached by a short linear ramp
    float gainStep = 0.0f;
    int rampFrames = 0;

    // Ends a pass: the next pass starts, or the voice stops at the end of the last one.
    void endPass();
    // Sets the gain, ramping over `rampFrames` frames while the voice is heard.
    void setGain(float gain, int rampLength);
};

// Mixes every voice of an engine into one stereo stream, and keeps play positions exact
// to the frame. `render` and `advance` take the mutex for one block at a time; callers
// on the user-interface thread take it (through lock()) only for short changes of state.
class Mixer {
  public:
    static constexpr int kBlockFrames = 1024;
    static constexpr int kRampFrames = 441;  // 10 ms at 44.1 kHz

    explicit Mixer(bool synthesize) : synthesize_(synthesize) { voices_.reserve(16); }

    std::unique_lock<std::mutex> lock() { return std::unique_lock<std::mutex>(mutex_); }

    // Under lock(): adds or removes a voice. The caller owns the voice.
    void addVoice(Voice* voice);
    void removeVoice(Voice* voice);

    // Renders `frames` frames of the mix into two planar buffers (overwriting them).
    void renderPlanar(float* left, float* right, int frames);
    // Renders `frames` frames of the mix, interleaved stereo.
    void renderInterleaved(float* out, int frames);
    // Moves every playing voice on by `frames` frames without synthesis.
    void advance(std::int64_t frames);

    // Frames mixed or advanced since the engine started.
    std::int64_t framesDone() const;

  private:
    // Under the mutex: renders one block (frames <= kBlockFrames) into mixLeft_/mixRight_.
    void mixBlock(int frames);
    // Under the mutex: advances one voice by up to `frames`, rendering when asked.
    // Returns the frames it played.
    int runVoice(Voice& voice, int frames, bool render);

    mutable std::mutex mutex_;
    const bool synthesize_;
    std::vector<Voice*> voices_;
    std::int64_t framesDone_ = 0;
    std::array<float, kBlockFrames> mixLeft_{};
    std::array<float, kBlockFrames> mixRight_{};
    std::array<float, kBlockFrames> voiceLeft_{};
    std::array<float, kBlockFrames> voiceRight_{};
};

}  // namespace xmascard::media
