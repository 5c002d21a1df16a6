// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "backends/web/pixel_image.h"
#include "platform/view/form_window_base.h"

namespace xmascard {

class WebHost;

// Shows a Form as a canvas on the page: what the window does is the model's window policy;
// this paints it into pixels in memory through a SoftCanvas and hands the page the areas
// that changed, once a frame, transparent outside the window's shape. Text boxes are live
// <input> elements over the canvas.
class WebFormWindow final : public FormWindowBase {
  public:
    WebFormWindow(Form& form, WebHost& host);
    ~WebFormWindow() override;
    WebFormWindow(const WebFormWindow&) = delete;
    WebFormWindow& operator=(const WebFormWindow&) = delete;

    FrameMetrics frame() const override { return {}; }  // the page draws no frames
    int id() const { return id_; }

    // Paints what was asked for since the last frame and puts it on the page.
    void repaint();
    // The user typed into the live edit of this number.
    void editTyped(int edit, std::string text);
    // Called every frame with the page's time: fires the face timer when due.
    void tick(double now);

  protected:
    void place(const PixelRect& where) override;
    void showWindow(WindowState state) override;
    void hideWindow() override;
    void raiseWindow() override;
    void invalidate(const std::optional<PixelRect>& area) override;
    void setShape(const Region* region) override;
    void setCursor(const Cursor& cursor) override;
    void setToolTip(const std::string& text) override;
    void syncEdit(const TextBox& box, const PixelRect& where, bool shown) override;
    void runFaceTimer(bool running) override;

  private:
    void unite(const PixelRect& area);

    WebHost& host_;
    int id_;
    int width_ = 0, height_ = 0;
    std::unique_ptr<PixelImage> pixels_;
    std::optional<PixelRect> dirty_;
    std::optional<std::vector<std::uint8_t>> mask_;
    std::optional<Region> shape_;
    std::vector<std::uint8_t> bytes_;
    std::map<const TextBox*, int> edits_;
    std::optional<double> nextFace_;
    bool faceRunning_ = false;
};

}  // namespace xmascard
