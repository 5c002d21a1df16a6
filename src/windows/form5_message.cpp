// SPDX-License-Identifier: MIT
#include "windows/form5_message.h"

#include "layout/companion_layouts.h"
#include "platform/form_ref.h"
#include "platform/runtime.h"
#include "windows/skin.h"

namespace xmascard {

Form5::Form5(Runtime& runtime)
    : Form(runtime, layout::form5Design(), layout::form5Controls()),
      picMessage(control<PictureBox>("picMessage")),
      Label4(*this, "Label4"),
      Label5(control<Label>("Label5")) {
    picMessage.Click = [this] { picMessage_Click(); };
    for (auto& [index, label] : Label4) label->Click = [this, i = index] { Label4_Click(i); };
    Label5.Click = [this] { Label5_Click(); };
}

void Form5::Form_Load() {
    picMessage.setLeft(0);
    picMessage.setTop(0);
    region_ = applySkin(*this, picMessage);
}

void Form5::picMessage_Click() { Unload(*this); }

void Form5::Label4_Click(int) { Unload(*this); }

void Form5::Label5_Click() {
    // Whether a browser could open the address or not, the bubble stays and nothing is said.
    runtime().openUrl(kWebAddress);
}

}  // namespace xmascard
