// SPDX-License-Identifier: MIT
#pragma once

#include "platform/controls/picture_box.h"
#include "platform/form.h"

namespace xmascard {

// The picture window: the closing "Merry Christmas" panel, cut to its outline. It has no
// interaction.
class Form4 final : public Form {
  public:
    explicit Form4(Runtime& runtime);
    void Form_Load() override;

    PictureBox& Picture1;
};

}  // namespace xmascard
