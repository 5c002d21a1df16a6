// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

#include "platform/color.h"
#include "platform/control.h"
#include "platform/font.h"

namespace xmascard {

// One line of editable text. Change is raised whenever the text changes, by the user or
// by the program.
class TextBox final : public Control {
  public:
    TextBox(Form& form, std::string name, int index, PictureBox* container);

    const std::string& Text() const { return text_; }
    void setText(std::string text);
    Color ForeColor() const { return foreColor_; }
    void setForeColor(Color c) { foreColor_ = c; }
    Color BackColor() const { return backColor_; }
    void setBackColor(Color c) { backColor_ = c; }
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a) { alignment_ = a; }
    bool bordered() const { return bordered_; }
    void setBordered(bool b) { bordered_ = b; }
    const Font& font() const { return font_; }
    void setFont(const Font& f) { font_ = f; }
    // The design-time text, set without raising Change.
    void initText(std::string text) { text_ = std::move(text); }

    std::function<void()> Change;

  private:
    std::string text_;
    Color foreColor_ = kWindowText;
    Color backColor_ = kWindowBackground;
    Alignment alignment_ = Alignment::Left;
    bool bordered_ = true;
    Font font_;
};

}  // namespace xmascard
