// SPDX-License-Identifier: MIT
#pragma once

#include <QRegion>
#include <QWidget>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "platform/form.h"
#include "platform/form_view.h"

class QLineEdit;

namespace xmascard {

// Shows a Form as a top-level Qt window. It paints the form's controls, hands mouse events to
// them in their own coordinates (the pressed control keeps the mouse until release), sets
// cursors and tool tips, and keeps its position, size, visibility and shape in step with the
// form. Text boxes are live line edits.
class FormWindow final : public QWidget, public FormView {
    Q_OBJECT
  public:
    explicit FormWindow(Form& form);
    ~FormWindow() override;

    void formChanged(Change what) override;
    void controlChanged(Control& control, Change what) override;
    void regionChanged() override;
    void raise() override;
    FrameMetrics frame() const override;

    // Makes a view for any form; install with Runtime::setViewFactory.
    static std::unique_ptr<FormView> create(Form& form);

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
    Control* hitTest(const QPoint& at) const;
    MouseEvent mouseEventFor(const Control& control, const QPoint& globalPos, int buttons,
                             Qt::KeyboardModifiers modifiers) const;
    void syncGeometry();
    void syncVisibility();
    void syncCursor(const Control* over);
    void createLineEdits();
    void syncLineEdit(TextBox& box);
    QRect rectOf(const Control& control) const;
    void repaintLater(const QRect& area);
    void applyShape();

    Form& form_;
    Control* captured_ = nullptr;
    std::unordered_map<const Control*, QRect> painted_;
    // Controls whose content changed since the last paint: more changes of their content
    // add nothing to the repaint. The snow draws over three hundred dots per step.
    std::unordered_set<const Control*> contentPending_;
    std::unordered_map<const TextBox*, QLineEdit*> edits_;
    QRegion shape_;  // empty: the whole rectangle
};

}  // namespace xmascard
