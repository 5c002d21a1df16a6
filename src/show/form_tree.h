// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <limits>
#include <optional>
#include <string>

#include "platform/controls/control_array.h"
#include "platform/controls/image_control.h"
#include "platform/controls/media_player.h"
#include "platform/controls/picture_box.h"
#include "platform/controls/shape.h"
#include "platform/controls/timer_control.h"
#include "platform/form.h"

namespace xmascard {

class Program;
class Form2;
class Form3;

// The tree window: the start-up window and the conductor of the whole show. Its handlers
// live in several files, one per part of the show (start-up, timeline, lights, snow, hatch
// and clicks, closing).
class FormTree final : public Form {
  public:
    static constexpr int kFlakeCount = 151;
    static constexpr int kLightCount = 24;
    // The music's volume through the show; the bells ring over it.
    static constexpr media::Volume kMusicVolume{-400};

    FormTree(Runtime& runtime, Program& program);
    void Form_Load() override;

    PictureBox& Picture2;
    PictureBox& PicHappyNewYear;
    PictureBox& PicSeasonsGreating;
    PictureBox& PicMerryChristmas;
    PictureBox& PictureTree;
    PictureBox& Picture1;
    ImageControl& Image2;
    Shape& ShapeTree;
    ControlArray<Shape> PCircle;
    TimerControl& TimerAnimation;
    TimerControl& Timer1;
    TimerControl& TimerEnd;
    TimerControl& TimerRandomLight;
    TimerControl& TimerLightOnOff;
    TimerControl& TimerSelectiveLight;
    TimerControl& TimerShapeTree;
    TimerControl& TimerSnow;
    MediaPlayer& MediaPlayer1;
    MediaPlayer& MediaPlayer2;

    // The show's state, exposed for tests: flake positions (pixels of the tree picture).
    const std::array<float, kFlakeCount>& flakeX() const { return flakeX_; }
    const std::array<float, kFlakeCount>& flakeY() const { return flakeY_; }
    // Where the sound files were written; empty for a file that could not be written.
    const std::string& musicPath() const { return musicPath_; }
    const std::string& bellsPath() const { return bellsPath_; }

  private:
    // Start-up
    // Writes both sound files; says in one line what could not be written, and forgets
    // the path of such a file, so that no player is given it.
    void writeSoundFiles(const std::string& directory);

    // Hatch shimmer and clicks on the tree
    void TimerShapeTree_Timer();
    void Picture1_Click();
    void Image2_Click();

    // Timeline
    void TimerAnimation_Timer();
    void handOver();

    // Lights
    void TimerRandomLight_Timer();
    void TimerLightOnOff_Timer();
    void TimerSelectiveLight_Timer();

    // Snow
    void TimerSnow_Timer();

    // Closing
    void TimerEnd_Timer();
    bool placed();
    float placedLeft();
    void openCard(Form2& card, Form3& skin);

    Program& program_;

    std::array<float, kFlakeCount> flakeX_{};
    std::array<float, kFlakeCount> flakeY_{};
    int flakeRadius_ = 0;
    double tickDelay_ = 0;
    // Times read from the clock. A pace test against a time not taken yet passes at once: the
    // clock starts at 0 when the program does, so "never" lies before every reading of it.
    static constexpr double kNever = -std::numeric_limits<double>::infinity();
    double lastTick_ = kNever;
    double lastLightChange_ = kNever;
    double selectiveStart_ = 0;  // 0: the group cycle has not started
    double lastSnowStep_ = kNever;
    double closingStart_ = 0;
    double lastClosingStep_ = kNever;
    std::string musicPath_;
    std::string bellsPath_;
};

}  // namespace xmascard
