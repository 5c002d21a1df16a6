// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/controls/control_array.h"
#include "platform/controls/label.h"
#include "platform/controls/picture_box.h"
#include "platform/form.h"

namespace xmascard {

// The message window: a speech bubble with one line about the card and a link area that
// opens a web site. A click anywhere else on the bubble closes it.
class Form5 final : public Form {
  public:
    static constexpr const char* kWebAddress = "https://en.wikipedia.org/wiki/Christmas_card";

    explicit Form5(Runtime& runtime);
    void Form_Load() override;

    PictureBox& picMessage;
    ControlArray<Label> Label4;
    Label& Label5;

  private:
    void picMessage_Click();
    void Label4_Click(int index);
    void Label5_Click();

    RegionHandle region_;
};

}  // namespace xmascard
