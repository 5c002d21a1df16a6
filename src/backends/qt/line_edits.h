// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <unordered_map>

#include "platform/controls/control.h"

class QLineEdit;
class QWidget;

namespace xmascard {

class Form;
class TextBox;

// The text boxes of a window as live Qt line edits: placed, coloured and shown as their
// text boxes say, and what the user types goes back into the text box. The card's windows
// never take the keyboard focus by themselves; a click into a text box gives its window
// the focus, so that the user can type there.
class LineEdits final : public QObject {
    Q_OBJECT
  public:
    LineEdits(QWidget& window, Form& form);

    // Follows a change of a control. True when the control is a text box: its line edit
    // draws it, and the window has nothing to repaint.
    bool controlChanged(const Control& control, Change what);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void sync(const TextBox& box, QLineEdit& edit);

    Form& form_;
    std::unordered_map<const TextBox*, QLineEdit*> edits_;
};

}  // namespace xmascard
