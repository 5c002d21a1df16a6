// SPDX-License-Identifier: MIT
#include "platform/media/mixed_player.h"

#include <algorithm>
#include <cmath>

namespace xmascard::media {
namespace {

constexpr long kQuietest = -10000;  // the classic player's volume range is -10000..0

float gainOf(long hundredthsOfDecibel) {
    return static_cast<float>(std::pow(10.0, static_cast<double>(hundredthsOfDecibel) / 2000.0));
}

}  // namespace

MixedPlayer::MixedPlayer(std::shared_ptr<EngineCore> core)
    : core_(std::move(core)), voice_(std::make_unique<Voice>()) {
    auto guard = core_->mixer().lock();
    core_->mixer().addVoice(voice_.get());
}

MixedPlayer::~MixedPlayer() {
    {
        auto guard = core_->mixer().lock();
        core_->mixer().removeVoice(voice_.get());
    }
    voice_.reset();
}

std::unique_ptr<Source> MixedPlayer::replaceMedia(LoadedMedia media, bool start) {
    auto guard = core_->mixer().lock();
    Voice& v = *voice_;
    std::swap(v.source, media.source);
    v.lengthFrames = media.lengthFrames;
    v.position = 0;
    v.passesDone = 0;
    v.sourceInSync = false;
    v.playing = start && v.lengthFrames > 0;
    v.gain = v.targetGain;
    v.rampFrames = 0;
    return std::move(media.source);
}

void MixedPlayer::setFileName(const std::string& path) {
    fileName_ = path;
    // Silence and release whatever played before, then load the new file.
    std::unique_ptr<Source> old = replaceMedia(LoadedMedia{}, false);
    old.reset();
    if (path.empty()) return;
    std::string warning;
    auto loaded = core_->load(path, warning);
    if (!loaded.ok()) {
        reportProblem(path, loaded.error());
        return;
    }
    if (!warning.empty()) reportProblem(path, warning);
    replaceMedia(loaded.take(), autoStart_);
}

void MixedPlayer::setPlayCount(int count) {
    auto guard = core_->mixer().lock();
    voice_->playCount = std::max(count, 0);
}

void MixedPlayer::play() {
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
    auto guard = core_->mixer().lock();
    voice_->playing = false;
}

void MixedPlayer::stop() {
    auto guard = core_->mixer().lock();
    voice_->playing = false;
    // The next play starts from a clean synthesizer: no note of before keeps sounding.
    voice_->sourceInSync = false;
}

bool MixedPlayer::isPlaying() const {
    auto guard = core_->mixer().lock();
    return voice_->playing;
}

double MixedPlayer::currentPosition() const {
    auto guard = core_->mixer().lock();
    return static_cast<double>(voice_->position) / core_->sampleRate();
}

void MixedPlayer::setCurrentPosition(double seconds) {
    auto guard = core_->mixer().lock();
    Voice& v = *voice_;
    double frames = std::isfinite(seconds) ? std::round(seconds * core_->sampleRate()) : 0.0;
    v.position =
        static_cast<std::int64_t>(std::clamp(frames, 0.0, static_cast<double>(v.lengthFrames)));
    v.sourceInSync = false;
}

double MixedPlayer::duration() const {
    auto guard = core_->mixer().lock();
    return static_cast<double>(voice_->lengthFrames) / core_->sampleRate();
}

void MixedPlayer::setVolume(long hundredthsOfDecibel) {
    volume_ = std::clamp(hundredthsOfDecibel, kQuietest, 0L);
    auto guard = core_->mixer().lock();
    voice_->setGain(gainOf(volume_), Mixer::kRampFrames);
}

}  // namespace xmascard::media
