// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>

#include "platform/font.h"
#include "platform/form.h"
#include "platform/runtime.h"

namespace xmascard {

// Whether text boxes are drawn by the painter (recordings, tests) or are live edit widgets.
enum class TextBoxes { Painted, Live };

// The Qt font for a font of the layout.
QFont toQFont(const Font& font);

// A control's rectangle in its window's client coordinates, in whole pixels.
QRect controlRectInForm(const Control& control);
// The inner (client) rectangle of a picture box, in its window's client coordinates.
QRect innerRectInForm(const PictureBox& box);

// Paints a window's client area: its back colour, the windowless controls in the order they
// were created, then the windowed controls in their stacking order above them, each picture
// box likewise with its own controls, clipped to its inside.
void paintForm(QPainter& painter, const Form& form, TextBoxes textBoxes);

// The client area of a window as an image.
QImage renderForm(const Form& form);

// The whole screen: a plain desktop, then every visible window at its position, through its
// shape, in stacking order.
QImage renderScreen(const Runtime& runtime, QColor desktop);

}  // namespace xmascard
