// SPDX-License-Identifier: MIT
#include "platform/controls/media_player.h"

#include "platform/controls/player_face.h"
#include "platform/form.h"
#include "platform/media/audio_engine.h"
#include "platform/runtime.h"

namespace xmascard {

MediaPlayer::MediaPlayer(Form& form, std::string name, int index, PictureBox* container)
    : Control(form, std::move(name), index, container),
      player_(form.runtime().audio().createPlayer()) {}

MediaPlayer::~MediaPlayer() = default;

void MediaPlayer::applyDesign(const ControlDesign& d) {
    apply(d.media);
    Control::applyDesign(d);
}

void MediaPlayer::apply(const MediaDesign& design) {
    setAutoStart(design.autoStart);
    setPlayCount(design.playCount);
    volume_ = design.volume;
    mute_ = design.mute;
    applyVolume();
    showControls_ = design.showControls;
    showAudioControls_ = design.showAudioControls;
    showTracker_ = design.showTracker;
}

void MediaPlayer::setFileName(const std::string& path) {
    fileName_ = path;
    player_->setFileName(path);
}

void MediaPlayer::prepareFile(const std::string& path) { player_->prefetch(path); }

void MediaPlayer::setAutoStart(bool on) { player_->setAutoStart(on); }

void MediaPlayer::setPlayCount(int count) { player_->setPlayCount(count); }

void MediaPlayer::setVolume(media::Volume volume) {
    volume_ = volume;
    applyVolume();
}

void MediaPlayer::setMute(bool mute) {
    mute_ = mute;
    applyVolume();
}

// A muted player plays at the quietest volume it takes.
void MediaPlayer::applyVolume() { player_->setVolume(mute_ ? media::kQuietestVolume : volume_); }

double MediaPlayer::CurrentPosition() const { return player_->currentPosition(); }
void MediaPlayer::setCurrentPosition(double seconds) { player_->setCurrentPosition(seconds); }

void MediaPlayer::Play() { player_->play(); }
void MediaPlayer::Pause() { player_->pause(); }
void MediaPlayer::Stop() { player_->stop(); }
bool MediaPlayer::playing() const { return player_->isPlaying(); }

void MediaPlayer::paint(Canvas& canvas, const PixelRect& area, TextBoxes) const {
    if (!shownTune_) return;
    const media::Player& tune = *shownTune_->player_;
    paintPlayerFace(canvas, area,
                    {tuneTitle_, tune.currentPosition(), tune.duration(), tune.isPlaying()});
}

void MediaPlayer::showTune(const MediaPlayer* player, std::string title) {
    shownTune_ = player;
    tuneTitle_ = std::move(title);
    changed(Change::Appearance);
}

}  // namespace xmascard
