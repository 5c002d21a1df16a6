// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/color.h"
#include "platform/controls/control.h"
#include "platform/controls/shape.h"
#include "platform/font.h"

namespace xmascard {

// Text drawn by its container, wrapped at word breaks within the label's width.
class Label final : public Control {
  public:
    using Control::Control;

    void applyDesign(const ControlDesign& design) override;
    bool isWindowless() const override { return true; }
    void paint(Canvas& canvas, const PixelRect& area, TextBoxes) const override;

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string c) { set(caption_, std::move(c), Change::Appearance); }
    Color ForeColor() const { return foreColor_; }
    void setForeColor(Color c) { set(foreColor_, c, Change::Appearance); }
    Color BackColor() const { return backColor_; }
    void setBackColor(Color c) { set(backColor_, c, Change::Appearance); }
    BackStyle backStyle() const { return backStyle_; }
    void setBackStyle(BackStyle s) { set(backStyle_, s, Change::Appearance); }
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a) { set(alignment_, a, Change::Appearance); }
    bool bordered() const { return bordered_; }
    void setBordered(bool b) { set(bordered_, b, Change::Appearance); }
    const Font& font() const { return font_; }
    void setFont(const Font& f) { set(font_, f, Change::Appearance); }

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
