// SPDX-License-Identifier: MIT
#pragma once

#include <QRegion>
#include <QWidget>
#include <memory>

#include "platform/form.h"
#include "platform/form_view.h"
#include "platform/pointer_input.h"
#include "platform/qt/line_edits.h"
#include "platform/qt/player_faces.h"
#include "platform/qt/window_outlines.h"
#include "platform/repaint_tracker.h"

namespace xmascard {

// Shows a Form as a top-level Qt window: keeps its place, size, visibility and shape in step
// with the form, paints it, and hands the mouse, cursors and tool tips over to the runtime's
// pointer input. Text boxes are the live line edits of LineEdits. The outline reaches the
// window system as `outlines` says (it must outlive the window).
class FormWindow final : public QWidget, public FormView {
    Q_OBJECT
  public:
    explicit FormWindow(Form& form, const WindowOutlines& outlines = defaultOutlines_);
    ~FormWindow() override;

    void formChanged(Change what) override;
    void controlChanged(Control& control, Change what) override;
    void regionChanged() override;
    void raise() override;
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

  private:
    void syncGeometry();
    void syncVisibility();
    void applyShape();

    static const WindowOutlines defaultOutlines_;

    Form& form_;
    const WindowOutlines& outlines_;
    PointerInput pointer_;
    RepaintTracker repaints_;
    LineEdits edits_;
    PlayerFaces faces_;
    QRegion shape_;  // empty: the whole rectangle
};

}  // namespace xmascard
