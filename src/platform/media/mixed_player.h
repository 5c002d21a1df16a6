// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/io/regular_file.h"
#include "platform/media/audio_engine.h"
#include "platform/media/engine_core.h"
#include "platform/media/load_job.h"
#include "platform/media/mixer.h"

namespace xmascard::media {

// The Player of every engine: one voice in the engine's mixer. Files are read and decoded
// on threads of their own (LoadJob); the lock of the mixer is held only to swap a source
// in or out and to read or change play state.
//
// While its file loads, the player keeps the play state it was asked for (playing, paused,
// a position) against the engine's time, as if the file were already playing: when the
// file arrives it starts where it would be by then, in step with the show.
class MixedPlayer final : public Player {
  public:
    explicit MixedPlayer(std::shared_ptr<EngineCore> core);
    ~MixedPlayer() override;
    MixedPlayer(const MixedPlayer&) = delete;
    MixedPlayer& operator=(const MixedPlayer&) = delete;

    void setFileName(const std::string& path) override;
    void prefetch(const std::string& path) override;
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

    Volume volume() const override { return volume_; }
    void setVolume(Volume volume) override;

    // On the user-interface thread: takes the file when its load has finished, or gives it
    // up (one line on standard error) once it has taken longer than the engine allows.
    void deliver();

  private:
    // A file asked for and not yet there, with the play state asked for meanwhile.
    struct Pending {
        std::shared_ptr<LoadJob> job;
        // Made ahead by prefetch(): played only if the file is still the one that was read.
        bool prefetched = false;
        std::optional<io::FileIdentity> expected;
        bool playing = false;
        std::int64_t position = 0;  // frames into the file at engine frame `since`
        std::int64_t since = 0;
    };

    // Puts `media` in the voice (or empties it), playing or not from `position`, and
    // returns what it held before, to be freed outside the lock.
    std::unique_ptr<Source> replaceMedia(LoadedMedia media, bool start, std::int64_t position = 0);
    // Where the pending file stands now, in frames.
    std::int64_t pendingPosition() const;
    void dropPending();

    std::shared_ptr<EngineCore> core_;
    std::unique_ptr<Voice> voice_;
    std::string fileName_;
    std::optional<Pending> pending_;
    std::shared_ptr<LoadJob> prefetched_;
    bool autoStart_ = true;
    Volume volume_ = kFullVolume;
};

}  // namespace xmascard::media
