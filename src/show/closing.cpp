// SPDX-License-Identifier: MIT
#include "show/form_tree.h"
#include "show/program.h"

// The closing sequence, conducted by TimerEnd from the hand-over on: the tree window vanishes,
// the card and the cherub move into its place, the music restarts, the caption slides into
// the painting while the music fades, the cherub floats away, the closing panel replaces the
// card, and the program ends.
namespace xmascard {

namespace {
constexpr float kPlacementOffset = 500;  // twips right of the tree window's left edge
constexpr double kPlacementAt = 10;      // seconds after the hand-over
constexpr double kCaptionAt = 12;
constexpr double kSwapAt = 25;
constexpr double kEndAt = 28;
constexpr double kLongMusic = 92;      // play position past which the music is halted
constexpr double kMusicRestart = 1.0;  // play position of the restart
constexpr double kMusicEnd = 12;       // play position at which the restarted music stops
constexpr double kCaptionPace = 0.1;
constexpr float kCaptionStep = 70;  // twips
constexpr float kCaptionRest = 270;
constexpr long kVolumeStep = 30;  // hundredths of a decibel
// The music fades no further than this while the caption slides in.
constexpr media::Volume kFadeFloor{-1500};
constexpr float kRise = 20;  // twips per tick
}  // namespace

bool FormTree::placed() { return program_.form3->Left() == Left() + kPlacementOffset; }

void FormTree::TimerEnd_Timer() {
    Form2& card = *program_.form2;
    Form3& skin = *program_.form3;
    Label& caption = card.Label4;
    const double t0 = closingStart_;

    if (MediaPlayer1.CurrentPosition() > kLongMusic && !placed()) MediaPlayer1.Pause();

    if (runtime().Timer() > t0 + kPlacementAt && !placed()) {
        skin.setLeft(Left() + kPlacementOffset);
        card.setLeft(skin.Left());
        Hide();
        skin.ZOrder(ZOrderPosition::Front);
        lastClosingStep_ = runtime().Timer();
        MediaPlayer1.setCurrentPosition(kMusicRestart);
        MediaPlayer1.Play();
        if (TimerSnow.Enabled()) TimerSnow.setEnabled(false);
    }

    if (MediaPlayer1.CurrentPosition() >= kMusicEnd && placed()) MediaPlayer1.Stop();

    if (runtime().Timer() > t0 + kCaptionAt && caption.Left() < kCaptionRest) {
        if (runtime().Timer() < lastClosingStep_ + kCaptionPace) return;
        caption.setLeft(caption.Left() + kCaptionStep);
        lastClosingStep_ = runtime().Timer();
        if (MediaPlayer1.Volume() > kFadeFloor)
            MediaPlayer1.setVolume(MediaPlayer1.Volume() - kVolumeStep);
    }

    if (caption.Left() >= kCaptionRest) skin.setTop(skin.Top() - kRise);

    if (runtime().Timer() > t0 + kSwapAt) {
        if (card.Visible()) card.Hide();
        if (skin.Visible()) skin.Hide();
        if (!program_.form4->Visible()) program_.form4->Show();
    }

    if (runtime().Timer() > t0 + kEndAt) End(runtime());
}

}  // namespace xmascard
