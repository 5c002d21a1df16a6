// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <unordered_map>

#include "platform/geometry.h"

class QLineEdit;
class QWidget;

namespace xmascard {

class FormWindowBase;
class TextBox;

// The text boxes of a window as live Qt line edits, which the window's policy keeps in
// step with their boxes; what the user types goes back into the text box. The card's
// windows never take the keyboard focus by themselves; a click into a text box gives its
// window the focus, so that the user can type there.
class LineEdits final : public QObject {
    Q_OBJECT
  public:
    LineEdits(QWidget& window, FormWindowBase& policy);

    // Brings the line edit of a text box in step with it.
    void sync(const TextBox& box, const PixelRect& where, bool shown);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::unordered_map<const TextBox*, QLineEdit*> edits_;
};

}  // namespace xmascard
