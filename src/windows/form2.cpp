// SPDX-License-Identifier: MIT
#include "windows/form2.h"

#include "layout/companion_layouts.h"
#include "shaping/transparent_form.h"

namespace xmascard {

Form2::Form2(Runtime& runtime)
    : Form(runtime, layout::form2Design(), layout::form2Controls()),
      Picture5(control<PictureBox>("Picture5")),
      Label4(control<Label>("Label4")),
      Text1(control<TextBox>("Text1")),
      Text2(control<TextBox>("Text2")),
      CmdSave(control<CommandButton>("CmdSave")) {
    Picture5.MouseDown = [this](const MouseEvent& e) { Picture5_MouseDown(e); };
    Picture5.MouseMove = [this](const MouseEvent& e) { Picture5_MouseMove(e); };
    Text1.Change = [this] { Text_Change(); };
    Text2.Change = [this] { Text_Change(); };
}

void Form2::Form_Load() { TransparentForm(*this); }

void Form2::Form_Resize() { TransparentForm(*this); }

void Form2::Picture5_MouseDown(const MouseEvent& e) {
    grabX_ = roundHalfEven(e.X);
    grabY_ = roundHalfEven(e.Y);
}

void Form2::Picture5_MouseMove(const MouseEvent& e) {
    if (e.Button != kLeftButton) return;
    // The painting keeps twips, the unit of the window's position.
    Move(Left() + (e.X - static_cast<float>(grabX_)), Top() + (e.Y - static_cast<float>(grabY_)));
}

void Form2::Text_Change() { CmdSave.setVisible(true); }

}  // namespace xmascard
