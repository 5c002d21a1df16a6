// SPDX-License-Identifier: MIT
#pragma once

#include <span>

#include "platform/form_design.h"

namespace xmascard::layout {

// The tree window, the start-up window, as it is created.
const FormDesign& formTreeDesign();
std::span<const ControlDesign> formTreeControls();

// The 24 lights on the tree: position within the tree picture (twips) and colours.
struct LightDesign {
    int index;
    float left, top;
    Color border, fill;
};
std::span<const LightDesign> treeLights();

}  // namespace xmascard::layout
