// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <vector>

#include "platform/color.h"
#include "platform/control_settings.h"
#include "platform/controls/control.h"
#include "platform/drawing.h"
#include "platform/picture.h"
#include "platform/surface.h"

namespace xmascard {

int borderPixels(BorderStyle style);

// A child window that shows a picture on its back colour, keeps a persistent drawing that
// can be drawn on and read, and can hold other controls.
class PictureBox final : public Control {
  public:
    PictureBox(Form& form, std::string name, int index, PictureBox* container);

    void applyDesign(const ControlDesign& design) override;
    void paint(Canvas& canvas, const PixelRect& area, TextBoxes textBoxes) const override;

    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& picture);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);
    BorderStyle borderStyle() const { return border_; }
    void setBorderStyle(BorderStyle style);
    Color BackColor() const { return backColor_; }
    void setBackColor(Color c);
    Color ForeColor() const { return foreColor_; }
    void setForeColor(Color c) { foreColor_ = c; }
    ScaleMode scaleMode() const { return scaleMode_; }
    void setScaleMode(ScaleMode mode) { scaleMode_ = mode; }
    // Every picture box keeps its drawing (what is drawn stays until Cls), so the classic
    // setting is accepted and changes nothing.
    void setAutoRedraw(bool) {}
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle s) { fillStyle_ = s; }
    Color FillColor() const { return fillColor_; }
    void setFillColor(Color c) { fillColor_ = c; }
    DrawStyle drawStyle() const { return drawStyle_; }
    void setDrawStyle(DrawStyle s) { drawStyle_ = s; }

    // Inner size, in the box's own scale.
    float ScaleWidth() const;
    float ScaleHeight() const;
    int innerWidthPixels() const;
    int innerHeightPixels() const;

    // Clears the drawing back to the picture on the back colour.
    void Cls();
    // A circle centred on (x, y) with radius r (own scale), outlined in `outline` and
    // filled with the box's fill style and colour.
    void Circle(float x, float y, float r, Color outline);
    // Draws a picture at its natural size at (x, y) in the box's own scale.
    void PaintPicture(const Picture& picture, float x, float y);
    // The current drawing as a picture.
    Picture Image() const { return surface_->snapshot(); }
    DeviceContext hDC() const { return {surface_.get()}; }
    const Surface& surface() const { return *surface_; }

    // Controls held by this box, in the order they were created.
    const std::vector<Control*>& children() const { return children_; }
    void adopt(Control& child) { children_.push_back(&child); }
    // Moves a held control to the front or the back of this box's stacking order.
    void restack(Control& child, ZOrderPosition position);

    ScaleMode ownScale() const override { return scaleMode_; }

  private:
    void geometryChanged() override;
    void fitToPicture();
    void resetSurface();

    Picture picture_;
    bool autoSize_ = false;
    BorderStyle border_ = BorderStyle::Sunken;
    Color backColor_ = kButtonFace;
    Color foreColor_ = kWindowText;
    ScaleMode scaleMode_ = ScaleMode::Twips;
    FillStyle fillStyle_ = FillStyle::Transparent;
    Color fillColor_ = 0;
    DrawStyle drawStyle_ = DrawStyle::Solid;
    std::unique_ptr<Surface> surface_;
    std::vector<Control*> children_;
};

}  // namespace xmascard
