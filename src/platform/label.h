// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/color.h"
#include "platform/control.h"
#include "platform/font.h"
#include "platform/shape.h"

namespace xmascard {

// Text drawn by its container, wrapped at word breaks within the label's width.
class Label final : public Control {
  public:
    Label(Form& form, std::string name, int index, PictureBox* container);

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string c) {
        caption_ = std::move(c);
        changed(Change::Appearance);
    }
    Color ForeColor() const { return foreColor_; }
    void setForeColor(Color c) {
        foreColor_ = c;
        changed(Change::Appearance);
    }
    Color BackColor() const { return backColor_; }
    void setBackColor(Color c) {
        backColor_ = c;
        changed(Change::Appearance);
    }
    BackStyle backStyle() const { return backStyle_; }
    void setBackStyle(BackStyle s) {
        backStyle_ = s;
        changed(Change::Appearance);
    }
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a) {
        alignment_ = a;
        changed(Change::Appearance);
    }
    bool bordered() const { return bordered_; }
    void setBordered(bool b) {
        bordered_ = b;
        changed(Change::Appearance);
    }
    const Font& font() const { return font_; }
    void setFont(const Font& f) {
        font_ = f;
        changed(Change::Appearance);
    }

  private:
    std::string caption_;
    Color foreColor_ = kWindowText;
    Color backColor_ = kButtonFace;
    BackStyle backStyle_ = BackStyle::Opaque;
    Alignment alignment_ = Alignment::Left;
    bool bordered_ = false;
    Font font_;
};

}  // namespace xmascard
