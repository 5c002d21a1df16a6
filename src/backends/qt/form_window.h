// SPDX-License-Identifier: MIT
#pragma once

#include <QRegion>
#include <QTimer>
#include <QWidget>

#include "backends/qt/line_edits.h"
#include "backends/qt/window_outlines.h"
#include "platform/view/form_window_base.h"

namespace xmascard {

// Shows a Form as a top-level Qt window: what the window does is the model's window policy;
// this turns Qt's events into its calls and does its hooks with Qt. Text boxes are the live
// line edits of LineEdits. The outline reaches the window system as `outlines` says (it must
// outlive the window).
class FormWindow final : public QWidget, public FormWindowBase {
    Q_OBJECT
  public:
    explicit FormWindow(Form& form, const WindowOutlines& outlines = defaultOutlines_);
    ~FormWindow() override;

    FrameMetrics frame() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

    void place(const PixelRect& where) override;
    void showWindow(WindowState state) override;
    void hideWindow() override { hide(); }
    void raiseWindow() override { QWidget::raise(); }
    void invalidate(const std::optional<PixelRect>& area) override;
    void setShape(const Region* region) override;
    void setCursor(const Cursor& cursor) override;
    void syncEdit(const TextBox& box, const PixelRect& where, bool shown) override;
    void runFaceTimer(bool running) override;

  private:
    void applyShape();

    static const WindowOutlines defaultOutlines_;

    const WindowOutlines& outlines_;
    LineEdits edits_;
    QTimer faceTimer_;
    QRegion shape_;  // empty: the whole rectangle
};

}  // namespace xmascard
