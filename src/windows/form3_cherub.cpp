// SPDX-License-Identifier: MIT
#include "windows/form3_cherub.h"

#include "layout/companion_layouts.h"
#include "platform/runtime.h"
#include "windows/skin.h"

namespace xmascard {

namespace {
constexpr double kFrameInterval = 0.3;  // seconds between two frames
constexpr int kFrameCount = 4;
}  // namespace

Form3::Form3(Runtime& runtime)
    : Form(runtime, layout::form3Design(), layout::form3Controls()),
      picMainSkin(control<PictureBox>("picMainSkin")),
      Picture1(*this, "Picture1"),
      Timer1(control<TimerControl>("Timer1")) {
    Timer1.Timer = [this] { Timer1_Timer(); };
    picMainSkin.MouseDown = [this](const MouseEvent& e) { picMainSkin_MouseDown(e); };
    picMainSkin.MouseMove = [this](const MouseEvent& e) { picMainSkin_MouseMove(e); };
    picMainSkin.MouseUp = [this](const MouseEvent& e) { picMainSkin_MouseUp(e); };
}

void Form3::Form_Load() {
    nextFrame_ = 2;
    lastChange_ = runtime().Timer();
    region_ = applySkin(*this, picMainSkin);
}

void Form3::Timer1_Timer() {
    if (runtime().Timer() < lastChange_ + kFrameInterval) return;
    lastChange_ = runtime().Timer();
    picMainSkin.setPicture(Picture1(nextFrame_).picture());
    region_ = fitWindowToBox(*this, picMainSkin);
    nextFrame_ = nextFrame_ % kFrameCount + 1;
}

void Form3::picMainSkin_MouseDown(const MouseEvent& e) {
    grabX_ = roundHalfEven(e.X);
    grabY_ = roundHalfEven(e.Y);
    Timer1.setEnabled(false);
}

void Form3::picMainSkin_MouseMove(const MouseEvent& e) {
    if (e.Button != kLeftButton) return;
    Move(Left() + toTwips(Pixels{e.X - static_cast<float>(grabX_)}).value,
         Top() + toTwips(Pixels{e.Y - static_cast<float>(grabY_)}).value);
}

void Form3::picMainSkin_MouseUp(const MouseEvent&) { Timer1.setEnabled(true); }

}  // namespace xmascard
