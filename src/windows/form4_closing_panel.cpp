// SPDX-License-Identifier: MIT
#include "windows/form4_closing_panel.h"

#include "layout/companion_layouts.h"
#include "windows/skin.h"

namespace xmascard {

Form4::Form4(Runtime& runtime)
    : Form(runtime, layout::form4Design(), layout::form4Controls()),
      Picture1(control<PictureBox>("Picture1")) {}

void Form4::Form_Load() { applySkin(*this, Picture1); }

}  // namespace xmascard
