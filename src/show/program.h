// SPDX-License-Identifier: MIT
#pragma once

#include "platform/form_ref.h"
#include "platform/runtime.h"
#include "show/form_tree.h"
#include "windows/card_names.h"
#include "windows/form2_card.h"
#include "windows/form3_cherub.h"
#include "windows/form4_closing_panel.h"
#include "windows/form5_message.h"

namespace xmascard {

// The card's windows, one instance each, created on first reference. A card with names
// carries them inside and opens to them at the end of the show.
class Program {
  public:
    explicit Program(Runtime& runtime, CardNames names = {});

    // Loads the start-up window and shows it: the show begins.
    void start();

    Runtime& runtime;
    FormRef<FormTree> formTree;
    FormRef<Form2> form2;
    FormRef<Form3> form3;
    FormRef<Form4> form4;
    FormRef<Form5> form5;

  private:
    CardNames names_;
};

}  // namespace xmascard
