// SPDX-License-Identifier: MIT
#include "show/program.h"

namespace xmascard {

Program::Program(Runtime& rt, CardNames names)
    : runtime(rt),
      formTree([this] { return std::make_unique<FormTree>(runtime, *this); }),
      form2([this] { return std::make_unique<Form2>(runtime); }),
      form3([this] { return std::make_unique<Form3>(runtime); }),
      form4([this] { return std::make_unique<Form4>(runtime); }),
      form5([this] { return std::make_unique<Form5>(runtime); }),
      names_(std::move(names)) {}

void Program::start() {
    formTree->Show();
    if (names_.any()) form2->writeNames(names_);
}

}  // namespace xmascard
