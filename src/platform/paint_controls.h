// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "platform/controls/control.h"

namespace xmascard {

class Form;
class Graphics;
class Runtime;

// Paints controls that share a container, each at its place: the windowless ones in the
// order they were created, then the windowed ones in their stacking order above them.
// Controls wholly outside the canvas's clip are left out.
void paintControls(Canvas& canvas, const std::vector<Control*>& controls, TextBoxes textBoxes);

// Paints a window's client area: its back colour, then its controls.
void paintForm(Canvas& canvas, const Form& form, TextBoxes textBoxes);

// The client area of a window as an image, text boxes painted.
std::unique_ptr<Image> renderForm(Graphics& graphics, const Form& form);

// The whole screen: a plain desktop, then every visible window at its position, through its
// shape, in stacking order.
std::unique_ptr<Image> renderScreen(Graphics& graphics, const Runtime& runtime, Color desktop);

}  // namespace xmascard
