// SPDX-License-Identifier: MIT
#pragma once

#include "platform/command_button.h"
#include "platform/form.h"
#include "platform/label.h"
#include "platform/picture_box.h"
#include "platform/text_box.h"

namespace xmascard {

// The greeting card: a see-through window showing only the rectangles of its controls,
// dragged by its painting, whose save button appears once a name field is edited.
class Form2 final : public Form {
  public:
    explicit Form2(Runtime& runtime);
    void Form_Load() override;
    void Form_Resize() override;

    PictureBox& Picture5;
    Label& Label4;
    TextBox& Text1;
    TextBox& Text2;
    CommandButton& CmdSave;

  private:
    void Picture5_MouseDown(const MouseEvent& e);
    void Picture5_MouseMove(const MouseEvent& e);
    void Text_Change();

    // Where the painting was grabbed, in the painting's own unit.
    int grabX_ = 0;
    int grabY_ = 0;
};

}  // namespace xmascard
