// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

#include "platform/color.h"
#include "platform/controls/control.h"
#include "platform/font.h"

namespace xmascard {

// One line of editable text. Change is raised whenever the text changes, by the user or
// by the program. On a screen it is the window system's own edit control; in a recording
// the window paints it.
class TextBox final : public Control {
  public:
    using Control::Control;

    void applyDesign(const ControlDesign& design) override;
    void paint(Canvas& canvas, const PixelRect& area, TextBoxes textBoxes) const override;

    const std::string& Text() const { return text_; }
    void setText(std::string text);
    // What the user typed or pasted: taken as setText takes it when Accepts allows it (or
    // there is none); else the box keeps its text, and its view shows that again.
    void userEdit(std::string text);
    Color ForeColor() const { return foreColor_; }
    Color BackColor() const { return backColor_; }
    Alignment alignment() const { return alignment_; }
    bool bordered() const { return bordered_; }
    const Font& font() const { return font_; }
    void setFont(const Font& font) { set(font_, font, xmascard::Change::Appearance); }

    std::function<void()> Change;
    // Whether the user may leave this text in the box; none: any text.
    std::function<bool(const std::string& text)> Accepts;

  private:
    std::string text_;
    Color foreColor_ = kWindowText;
    Color backColor_ = kWindowBackground;
    Alignment alignment_ = Alignment::Left;
    bool bordered_ = true;
    Font font_;
};

}  // namespace xmascard
