// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "platform/media/audio_engine.h"
#include "platform/media/engine_core.h"
#include "platform/media/mixer.h"

namespace xmascard::media {

// The Player of every engine: one voice in the engine's mixer. Loading, decoding and
// freeing happen on the calling (user-interface) thread, outside the mixer's lock; the
// lock is held only to swap a source in or out and to read or change play state.
class MixedPlayer final : public Player {
  public:
    explicit MixedPlayer(std::shared_ptr<EngineCore> core);
    ~MixedPlayer() override;
    MixedPlayer(const MixedPlayer&) = delete;
    MixedPlayer& operator=(const MixedPlayer&) = delete;

    void setFileName(const std::string& path) override;
    std::string fileName() const override { return fileName_; }
    void setAutoStart(bool autoStart) override { autoStart_ = autoStart; }
    void setPlayCount(int count) override;

    void play() override;
    void pause() override;
    void stop() override;
    bool isPlaying() const override;

    double currentPosition() const override;
    void setCurrentPosition(double seconds) override;
    double duration() const override;

    long volume() const override { return volume_; }
    void setVolume(long hundredthsOfDecibel) override;

  private:
    // Puts `media` in the voice (or empties it) and returns what it held before, to be
    // freed outside the lock.
    std::unique_ptr<Source> replaceMedia(LoadedMedia media, bool start);

    std::shared_ptr<EngineCore> core_;
    std::unique_ptr<Voice> voice_;
    std::string fileName_;
    bool autoStart_ = true;
    long volume_ = 0;
};

}  // namespace xmascard::media
