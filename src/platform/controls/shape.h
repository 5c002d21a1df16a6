// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color.h"
#include "platform/control_settings.h"
#include "platform/controls/control.h"
#include "platform/drawing.h"

namespace xmascard {

// A windowless figure drawn by its container: rectangle or circle, with back, fill and border.
class Shape final : public Control {
  public:
    using Control::Control;

    void applyDesign(const ControlDesign& design) override;
    bool isWindowless() const override { return true; }
    bool takesMouse() const override { return false; }
    void paint(Canvas& canvas, const PixelRect& area, TextBoxes) const override;

    ShapeType type() const { return type_; }
    void setType(ShapeType t) { set(type_, t, Change::Appearance); }
    Color BorderColor() const { return borderColor_; }
    void setBorderColor(Color c) { set(borderColor_, c, Change::Appearance); }
    int BorderWidth() const { return borderWidth_; }
    void setBorderWidth(int w) { set(borderWidth_, w, Change::Appearance); }
    bool borderVisible() const { return borderVisible_; }
    void setBorderVisible(bool v) { set(borderVisible_, v, Change::Appearance); }
    Color BackColor() const { return backColor_; }
    void setBackColor(Color c) { set(backColor_, c, Change::Appearance); }
    BackStyle backStyle() const { return backStyle_; }
    void setBackStyle(BackStyle s) { set(backStyle_, s, Change::Appearance); }
    Color FillColor() const { return fillColor_; }
    void setFillColor(Color c) { set(fillColor_, c, Change::Appearance); }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle s) { set(fillStyle_, s, Change::Appearance); }
    DrawMode drawMode() const { return drawMode_; }
    void setDrawMode(DrawMode m) { set(drawMode_, m, Change::Appearance); }

  private:
    ShapeType type_ = ShapeType::Rectangle;
    Color borderColor_ = kWindowText;
    int borderWidth_ = 1;
    bool borderVisible_ = true;
    Color backColor_ = kWindowBackground;
    BackStyle backStyle_ = BackStyle::Transparent;
    Color fillColor_ = 0;
    FillStyle fillStyle_ = FillStyle::Transparent;
    DrawMode drawMode_ = DrawMode::CopyPen;
};

}  // namespace xmascard
