// SPDX-License-Identifier: MIT
#include "show/program.h"

namespace xmascard {

Program::Program(Runtime& rt)
    : runtime(rt),
      formTree([this] { return std::make_unique<FormTree>(runtime, *this); }),
      form2([this] { return std::make_unique<Form2>(runtime); }),
      form3([this] { return std::make_unique<Form3>(runtime); }),
      form4([this] { return std::make_unique<Form4>(runtime); }),
      form5([this] { return std::make_unique<Form5>(runtime); }) {}

void Program::start() { formTree->Show(); }

}  // namespace xmascard
