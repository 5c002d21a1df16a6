// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <vector>

#include "backends/web/pixel_image.h"
#include "backends/web/raster.h"
#include "platform/canvas.h"

namespace xmascard {

// A canvas that draws into pixels in memory, without a window system: pixman fills,
// clips and composites; figures, hatches, the mask pen and lines are rasterised here, text
// with the embedded fonts. The web card's windows and images paint through it, and the
// page shows the pixels.
class SoftCanvas final : public Canvas {
  public:
    explicit SoftCanvas(PixelImage& image) : image_(image) {}

    void save() override { saved_.push_back(state_); }
    void restore() override;
    void translate(PixelPoint by) override { state_.origin = state_.origin + by; }
    void clip(const PixelRect& rect) override;
    void clip(const Region& region) override;
    std::optional<PixelRect> clipBounds() const override;

    void fillRect(const PixelRect& rect, Color color) override;
    void frameRect(const PixelRect& rect, Color color) override;
    void line(PixelPoint from, PixelPoint to, Color color) override;
    void drawFigure(const Figure& figure) override;
    void drawText(const PixelRect& box, const PixelRect& clip, const std::string& text,
                  const TextStyle& style) override;
    void drawPicture(PixelPoint at, const Picture& picture) override;
    void drawPictureScaled(const PixelRect& to, const Picture& picture) override;
    void drawSurface(PixelPoint at, const Surface& surface) override;
    void drawImage(PixelPoint at, const Image& image) override;

  private:
    struct State {
        PixelPoint origin;
        std::optional<PixelArea> clip;  // in the image's pixels; none: all of them
    };
    // Where an area (in the canvas's coordinates) may be painted: within the clip and the
    // image, in the image's pixels.
    PixelArea paintable(const PixelArea& area) const;
    void narrowClip(const PixelArea& area);
    // Composites pixels onto the image through the clip.
    void composite(pixman_op_t op, pixman_image_t* source, const PixelRect& to);

    PixelImage& image_;
    State state_;
    std::vector<State> saved_;
};

// An image to paint off the screen through a SoftCanvas.
class WebImage final : public Image {
  public:
    static std::unique_ptr<WebImage> create(int width, int height, Color fill);
    explicit WebImage(std::unique_ptr<PixelImage> pixels)
        : pixels_(std::move(pixels)), canvas_(*pixels_) {}

    int width() const override { return pixels_->width(); }
    int height() const override { return pixels_->height(); }
    Canvas& canvas() override { return canvas_; }
    const std::uint8_t* bits() override {
        return reinterpret_cast<const std::uint8_t*>(pixels_->row(0));
    }
    int stride() const override { return pixels_->stride(); }
    const PixelImage& pixels() const { return *pixels_; }

  private:
    std::unique_ptr<PixelImage> pixels_;
    SoftCanvas canvas_;
};

}  // namespace xmascard
