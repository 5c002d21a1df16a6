// SPDX-License-Identifier: MIT
#include "show/form_tree.h"

#include "layout/form_tree_layout.h"
#include "show/program.h"

namespace xmascard {

FormTree::FormTree(Runtime& runtime, Program& program)
    : Form(runtime, layout::formTreeDesign(), layout::formTreeControls()),
      Picture2(control<PictureBox>("Picture2")),
      PicHappyNewYear(control<PictureBox>("PicHappyNewYear")),
      PicSeasonsGreating(control<PictureBox>("PicSeasonsGreating")),
      PicMerryChristmas(control<PictureBox>("PicMerryChristmas")),
      PictureTree(control<PictureBox>("PictureTree")),
      Picture1(control<PictureBox>("Picture1")),
      Image2(control<ImageControl>("Image2")),
      ShapeTree(control<Shape>("ShapeTree")),
      PCircle(*this, "PCircle"),
      TimerAnimation(control<TimerControl>("TimerAnimation")),
      Timer1(control<TimerControl>("Timer1")),
      TimerEnd(control<TimerControl>("TimerEnd")),
      TimerRandomLight(control<TimerControl>("TimerRandomLight")),
      TimerLightOnOff(control<TimerControl>("TimerLightOnOff")),
      TimerSelectiveLight(control<TimerControl>("TimerSelectiveLight")),
      TimerShapeTree(control<TimerControl>("TimerShapeTree")),
      TimerSnow(control<TimerControl>("TimerSnow")),
      MediaPlayer1(control<MediaPlayer>("MediaPlayer1")),
      MediaPlayer2(control<MediaPlayer>("MediaPlayer2")),
      program_(program) {
    TimerAnimation.Timer = [this] { TimerAnimation_Timer(); };
    TimerEnd.Timer = [this] { TimerEnd_Timer(); };
    TimerRandomLight.Timer = [this] { TimerRandomLight_Timer(); };
    TimerLightOnOff.Timer = [this] { TimerLightOnOff_Timer(); };
    TimerSelectiveLight.Timer = [this] { TimerSelectiveLight_Timer(); };
    TimerShapeTree.Timer = [this] { TimerShapeTree_Timer(); };
    TimerSnow.Timer = [this] { TimerSnow_Timer(); };
    Picture1.Click = [this] { Picture1_Click(); };
    Image2.Click = [this] { Image2_Click(); };
}

}  // namespace xmascard
