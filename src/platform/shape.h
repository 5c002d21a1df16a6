// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color.h"
#include "platform/control.h"
#include "platform/drawing.h"

namespace xmascard {

enum class ShapeType { Rectangle = 0, Circle = 3 };
enum class BackStyle { Transparent = 0, Opaque = 1 };

// A windowless figure drawn by its container: rectangle or circle, with back, fill and border.
class Shape final : public Control {
  public:
    Shape(Form& form, std::string name, int index, PictureBox* container);

    ShapeType type() const { return type_; }
    void setType(ShapeType t) {
        type_ = t;
        changed(Change::Appearance);
    }
    Color BorderColor() const { return borderColor_; }
    void setBorderColor(Color c);
    int BorderWidth() const { return borderWidth_; }
    void setBorderWidth(int w) {
        borderWidth_ = w;
        changed(Change::Appearance);
    }
    bool borderVisible() const { return borderVisible_; }
    void setBorderVisible(bool v) {
        borderVisible_ = v;
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
    Color FillColor() const { return fillColor_; }
    void setFillColor(Color c);
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle s) {
        fillStyle_ = s;
        changed(Change::Appearance);
    }
    DrawMode drawMode() const { return drawMode_; }
    void setDrawMode(DrawMode m) {
        drawMode_ = m;
        changed(Change::Appearance);
    }

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
