// SPDX-License-Identifier: MIT
#pragma once

#include <span>

#include "platform/form_design.h"

namespace xmascard::layout {

// The four companion windows, as they are created.

// The skin window: a flapping cherub.
const FormDesign& form3Design();
std::span<const ControlDesign> form3Controls();

// The message window: a speech bubble with a web link.
const FormDesign& form5Design();
std::span<const ControlDesign> form5Controls();

// The card window.
const FormDesign& form2Design();
std::span<const ControlDesign> form2Controls();

// The picture window: the closing "Merry Christmas" panel.
const FormDesign& form4Design();
std::span<const ControlDesign> form4Controls();

}  // namespace xmascard::layout
