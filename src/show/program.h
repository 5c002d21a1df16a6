// SPDX-License-Identifier: MIT
#pragma once

#include "platform/form_ref.h"
#include "platform/runtime.h"
#include "show/form_tree.h"
#include "windows/card_names.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/form4.h"
#include "windows/form5.h"

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
