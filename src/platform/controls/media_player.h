// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "platform/controls/control.h"
#include "platform/form_design.h"
#include "platform/media/volume.h"

namespace xmascard {

namespace media {
class Player;
}

// The media player control: plays one sound file (MIDI or MP3) through the program's audio
// output. Setting FileName loads the file and, with AutoStart, plays it from the beginning;
// "" releases it. It draws nothing unless it is given a tune to show on its face.
class MediaPlayer final : public Control {
  public:
    MediaPlayer(Form& form, std::string name, int index, PictureBox* container);
    ~MediaPlayer() override;

    void applyDesign(const ControlDesign& design) override;
    bool takesMouse() const override { return false; }
    // The face of a player that shows a tune (player_face.h); nothing otherwise.
    void paint(Canvas& canvas, const PixelRect& area, TextBoxes) const override;
    // Shows on the face, under a title, what another player plays and how far it is; an
    // idle player on a window stands for the music heard with it. nullptr: no face.
    void showTune(const MediaPlayer* player, std::string title);
    const MediaPlayer* shownTune() const { return shownTune_; }

    const std::string& FileName() const { return fileName_; }
    void setFileName(const std::string& path);
    // Reads and decodes, off the user-interface thread, a file the player will be given
    // later, so that it starts at once then (if the file has not changed meanwhile).
    void prepareFile(const std::string& path);
    void setAutoStart(bool on);
    void setPlayCount(int count);
    media::Volume Volume() const { return volume_; }
    void setVolume(media::Volume volume);
    void setMute(bool mute);
    double CurrentPosition() const;
    void setCurrentPosition(double seconds);

    void Play();
    void Pause();
    void Stop();
    bool playing() const;

    // Display options of the classic player; accepted and kept, they change no sound.
    void setShowControls(bool on) { showControls_ = on; }
    void setShowAudioControls(bool on) { showAudioControls_ = on; }
    void setShowTracker(bool on) { showTracker_ = on; }
    bool ShowControls() const { return showControls_; }

  private:
    void apply(const MediaDesign& design);
    void applyVolume();

    std::unique_ptr<media::Player> player_;
    std::string fileName_;
    media::Volume volume_ = media::kFullVolume;
    bool mute_ = false;
    bool showControls_ = true;
    bool showAudioControls_ = true;
    bool showTracker_ = true;
    const MediaPlayer* shownTune_ = nullptr;
    std::string tuneTitle_;
};

}  // namespace xmascard
