// SPDX-License-Identifier: MIT
#include "show/form_tree.h"
#include "show/program.h"

// The conductor of the show. Each working tick (at most one every 0.1 s) advances whichever
// phases the pictures' positions and the effect timers' states call for: Seasons Greetings
// slides in, then Merry Christmas, then Happy New Year drops while the bells ring, then the
// card comes down from above the screen with the cherub on it, and the closing sequence
// takes over.
namespace xmascard {

namespace {
constexpr float kStep = 80;        // twips per working tick
constexpr float kCardStop = 1000;  // the card stops this far below the tree window's top
constexpr media::Volume kMusicUnderBells{-1000};
constexpr media::Volume kBellsVolume = media::kFullVolume;
constexpr float kPaintedGreetingX = 75;  // where Seasons Greetings stays on the tree, pixels
constexpr float kPaintedGreetingY = 110;
constexpr int kClosingShimmerInterval = 300;  // ms
}  // namespace

void FormTree::TimerAnimation_Timer() {
    if (runtime().Timer() < lastTick_ + tickDelay_) return;

    // Seasons Greetings slides right across the tree.
    if (PictureTree.Width() + 500 > PicSeasonsGreating.Left()) {
        PicSeasonsGreating.setLeft(PicSeasonsGreating.Left() + kStep);
        if (!TimerRandomLight.Enabled()) TimerRandomLight.setEnabled(true);
        if (PicSeasonsGreating.Left() > -500) {
            TimerSnow.setEnabled(true);
            ShapeTree.setVisible(false);
        }
    }

    // Merry Christmas follows.
    if (PictureTree.Width() + 400 < PicSeasonsGreating.Left() &&
        PictureTree.Width() + 500 > PicMerryChristmas.Left()) {
        PicMerryChristmas.setLeft(PicMerryChristmas.Left() + kStep);
        if (PictureTree.Width() + 200 < PicMerryChristmas.Left()) TimerSnow.setEnabled(false);
    }

    // Happy New Year drops from above while the bells ring.
    if (PictureTree.Width() + 400 < PicMerryChristmas.Left() &&
        PictureTree.Height() + 500 > PicHappyNewYear.Top()) {
        if (TimerShapeTree.Enabled()) {
            ShapeTree.setVisible(false);
            TimerShapeTree.setEnabled(false);
            PictureTree.Cls();
        }
        if (PicHappyNewYear.Top() < PictureTree.Height() && !TimerLightOnOff.Enabled()) {
            TimerRandomLight.setEnabled(false);
            TimerSnow.setEnabled(false);
            TimerLightOnOff.setEnabled(true);
            MediaPlayer2.setFileName(bellsPath_);
            MediaPlayer1.setVolume(kMusicUnderBells);
            MediaPlayer2.setVolume(kBellsVolume);
        }
        PicHappyNewYear.setTop(PicHappyNewYear.Top() + kStep + 40);
    }

    // Finale: the card comes down with the cherub riding on its top edge.
    if (PictureTree.Height() + 400 < PicHappyNewYear.Top()) {
        if (!TimerSelectiveLight.Enabled()) {
            TimerLightOnOff.setEnabled(false);
            TimerSelectiveLight.setEnabled(true);
            MediaPlayer2.Stop();
            MediaPlayer1.setVolume(kMusicVolume);
        }
        PicHappyNewYear.setVisible(false);
        Form2& card = *program_.form2;
        if (Top() + kCardStop <= card.Top()) {
            handOver();
            return;
        }
        card.setTop(card.Top() + kStep);
        Form3& skin = *program_.form3;
        skin.setTop(card.Top() - skin.Height() / 2);
        if (!card.Visible()) card.Show();
        if (!skin.Visible()) {
            skin.setLeft(card.Left());
            skin.setTop(card.Top() - skin.Height());
            skin.Show();
        }
    }

    lastTick_ = runtime().Timer();
}

void FormTree::handOver() {
    Form2& card = *program_.form2;
    Form3& skin = *program_.form3;
    card.setTop(Top() + kCardStop);
    skin.setTop(card.Top() - skin.Height() / 2);

    TimerAnimation.setEnabled(false);
    TimerSelectiveLight.setEnabled(false);
    TimerShapeTree.setEnabled(false);
    TimerEnd.setEnabled(true);
    closingStart_ = runtime().Timer();

    // Seasons Greetings stays painted on the tree from now on.
    PictureTree.PaintPicture(PicSeasonsGreating.picture(), kPaintedGreetingX, kPaintedGreetingY);
    Picture2.setPicture(PictureTree.Image());
    PictureTree.setPicture(Picture2.picture());

    TimerSnow.setEnabled(true);
    TimerShapeTree.setEnabled(true);
    TimerShapeTree.setInterval(kClosingShimmerInterval);
    ShapeTree.setVisible(true);
    for (int i = 1; i <= kLightCount; ++i) PCircle(i).setVisible(false);
}

}  // namespace xmascard
