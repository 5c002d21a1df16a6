// SPDX-License-Identifier: MIT
#include <algorithm>

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

// A window's edge that keeps `length` twips on a screen of `screen` twips, as near `start`
// as that allows; the start of the screen when it is too small.
float keptOnScreen(float start, float length, float screen) {
    return std::max(0.0f, std::min(start, screen - length));
}

}  // namespace

bool FormTree::placed() { return program_.form3->Left() == placedLeft(); }

// The cherub and the card go to the tree's place. The open card, wider than the tree, takes
// the middle of the tree's place and is kept on the screen.
float FormTree::placedLeft() {
    if (!program_.form2->hasNames()) return Left() + kPlacementOffset;
    const float screen = toTwips(Pixels{static_cast<float>(runtime().screen().width)}).value;
    return keptOnScreen(Left() + (Width() - Form2::kOpenWidth) / 2, Form2::kOpenWidth, screen);
}

// The card opens to its inside page where it stands, kept on the screen from top to bottom
// too, with the cherub still on its top edge.
void FormTree::openCard(Form2& card, Form3& skin) {
    card.OpenCard(MediaPlayer1);
    const float screen = toTwips(Pixels{static_cast<float>(runtime().screen().height)}).value;
    const float top = keptOnScreen(card.Top(), card.Height(), screen);
    if (top == card.Top()) return;
    card.setTop(top);
    skin.setTop(card.Top() - skin.Height() / 2);
}

void FormTree::TimerEnd_Timer() {
    Form2& card = *program_.form2;
    Form3& skin = *program_.form3;
    Label& caption = card.Label4;
    const double t0 = closingStart_;

    if (MediaPlayer1.CurrentPosition() > kLongMusic && !placed()) MediaPlayer1.Pause();

    if (runtime().Timer() > t0 + kPlacementAt && !placed()) {
        skin.setLeft(placedLeft());
        card.setLeft(skin.Left());
        if (card.hasNames()) openCard(card, skin);
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
