// SPDX-License-Identifier: MIT
#include "platform/media/mixed_player.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace xmascard::media {

MixedPlayer::MixedPlayer(std::shared_ptr<EngineCore> core)
    : core_(std::move(core)), voice_(std::make_unique<Voice>()) {
    auto guard = core_->mixer().lock();
    core_->mixer().addVoice(voice_.get());
}

MixedPlayer::~MixedPlayer() {
    dropPending();
    if (prefetched_) prefetched_->abandon();
    {
        auto guard = core_->mixer().lock();
        core_->mixer().removeVoice(voice_.get());
    }
    voice_.reset();
}

std::unique_ptr<Source> MixedPlayer::replaceMedia(LoadedMedia media, bool start,
                                                  std::int64_t position) {
    auto guard = core_->mixer().lock();
    Voice& v = *voice_;
    std::swap(v.source, media.source);
    if (v.source) v.source->setVolume(volume_);
    v.lengthFrames = media.lengthFrames;
    v.position = 0;
    v.passesDone = 0;
    v.sourceInSync = false;
    v.playing = start && v.lengthFrames > 0;
    v.gain = v.targetGain;
    v.rampFrames = 0;
    // A file that arrives late starts in the pass and at the point it would have reached.
    if (v.lengthFrames > 0 && position > 0) {
        const std::int64_t passes = position / v.lengthFrames;
        if (v.playCount == 0 || passes < v.playCount) {
            v.passesDone = static_cast<int>(passes);
            v.position = position % v.lengthFrames;
        } else {
            v.position = v.lengthFrames;
            v.playing = false;
        }
    }
    return std::move(media.source);
}

void MixedPlayer::dropPending() {
    if (!pending_) return;
    pending_->job->abandon();
    pending_.reset();
    core_->removeWaiting(this);
}

void MixedPlayer::setFileName(const std::string& path) {
    fileName_ = path;
    dropPending();
    // Silence and release whatever played before, then load the new file.
    std::unique_ptr<Source> old = replaceMedia(LoadedMedia{}, false);
    old.reset();
    if (path.empty()) return;
    Pending pending;
    if (prefetched_ && prefetched_->path() == path) {
        pending.job = std::move(prefetched_);
        pending.prefetched = true;
        if (auto now = io::identityOf(path); now.ok()) pending.expected = now.value();
    } else {
        pending.job = LoadJob::start(core_, path);
    }
    pending.playing = autoStart_;
    pending.since = core_->mixer().framesDone();
    pending_ = std::move(pending);
    if (core_->policy().loading == Loading::Background) {
        core_->addWaiting(this);
        return;
    }
    // Waited: the caller's clock stands still meanwhile, so the file starts at its start.
    while (pending_) {
        pending_->job->waitUntil(pending_->job->started() + core_->policy().timeLimit);
        deliver();
    }
}

void MixedPlayer::prefetch(const std::string& path) {
    if (prefetched_) prefetched_->abandon();
    prefetched_ = path.empty() ? nullptr : LoadJob::start(core_, path);
}

void MixedPlayer::deliver() {
    if (!pending_) return;
    Pending& pending = *pending_;
    if (!pending.job->finished()) {
        const auto limit = core_->policy().timeLimit;
        if (LoadJob::Clock::now() - pending.job->started() < limit) return;
        dropPending();
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%g", std::chrono::duration<double>(limit).count());
        reportProblem(fileName_, std::string("takes more than ") + seconds +
                                     " s to read and decode; the card goes on without it");
        return;
    }
    std::string warning;
    auto loaded = pending.job->take(warning);
    if (pending.prefetched &&
        (!loaded.ok() || !pending.expected || loaded.value().identity != *pending.expected)) {
        // The file changed (or went) since it was read ahead: read what is there now.
        pending.job = LoadJob::start(core_, fileName_);
        pending.prefetched = false;
        return;
    }
    const bool playing = pending.playing;
    const std::int64_t position = pendingPosition();
    pending_.reset();
    core_->removeWaiting(this);
    if (!loaded.ok()) {
        reportProblem(fileName_, loaded.error());
        return;
    }
    if (!warning.empty()) reportProblem(fileName_, warning);
    core_->noteLoaded(loaded.value());
    replaceMedia(loaded.take(), playing, position);
}

std::int64_t MixedPlayer::pendingPosition() const {
    const Pending& p = *pending_;
    return p.position + (p.playing ? core_->mixer().framesDone() - p.since : 0);
}

void MixedPlayer::setPlayCount(int count) {
    auto guard = core_->mixer().lock();
    voice_->playCount = std::max(count, 0);
}

void MixedPlayer::play() {
    if (pending_) {
        if (!pending_->playing) {
            pending_->since = core_->mixer().framesDone();
            pending_->playing = true;
        }
        return;
    }
    auto guard = core_->mixer().lock();
    Voice& v = *voice_;
    if (v.lengthFrames <= 0 || v.playing) return;
    if (v.position >= v.lengthFrames) {
        v.position = 0;
        v.passesDone = 0;
        v.sourceInSync = false;
    }
    v.playing = true;
}

void MixedPlayer::pause() {
    if (pending_) {
        pending_->position = pendingPosition();
        pending_->playing = false;
        return;
    }
    auto guard = core_->mixer().lock();
    voice_->playing = false;
}

void MixedPlayer::stop() {
    if (pending_) {
        pause();
        return;
    }
    auto guard = core_->mixer().lock();
    voice_->playing = false;
    // The next play starts from a clean synthesizer: no note of before keeps sounding.
    voice_->sourceInSync = false;
}

bool MixedPlayer::isPlaying() const {
    if (pending_) return pending_->playing;
    auto guard = core_->mixer().lock();
    return voice_->playing;
}

double MixedPlayer::currentPosition() const {
    if (pending_) return static_cast<double>(pendingPosition()) / core_->sampleRate();
    auto guard = core_->mixer().lock();
    return static_cast<double>(voice_->position) / core_->sampleRate();
}

void MixedPlayer::setCurrentPosition(double seconds) {
    double frames = std::isfinite(seconds) ? std::round(seconds * core_->sampleRate()) : 0.0;
    if (pending_) {
        // Clamped to the file's length when it arrives.
        pending_->position = static_cast<std::int64_t>(std::clamp(frames, 0.0, 1e15));
        pending_->since = core_->mixer().framesDone();
        return;
    }
    auto guard = core_->mixer().lock();
    Voice& v = *voice_;
    v.position =
        static_cast<std::int64_t>(std::clamp(frames, 0.0, static_cast<double>(v.lengthFrames)));
    v.sourceInSync = false;
}

double MixedPlayer::duration() const {
    auto guard = core_->mixer().lock();
    return static_cast<double>(voice_->lengthFrames) / core_->sampleRate();
}

void MixedPlayer::setVolume(Volume volume) {
    volume_ = volume.clamped();
    auto guard = core_->mixer().lock();
    voice_->setGain(volume_.gain(), Mixer::kRampFrames);
    if (voice_->source) voice_->source->setVolume(volume_);
}

}  // namespace xmascard::media
