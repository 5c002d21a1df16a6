// SPDX-License-Identifier: MIT
#include "backends/qt/line_edits.h"

#include <QEvent>
#include <QLineEdit>
#include <QValidator>
#include <QWindow>

#include "backends/qt/qt_colors.h"
#include "platform/controls/text_box.h"
#include "platform/view/form_window_base.h"

namespace xmascard {

namespace {

// A line edit takes what its text box accepts: a keystroke or a paste that the box would
// refuse never shows, and the cursor stays where it was.
class AcceptedByBox final : public QValidator {
  public:
    AcceptedByBox(const TextBox& box, QObject* parent) : QValidator(parent), box_(box) {}
    State validate(QString& input, int&) const override {
        return !box_.Accepts || box_.Accepts(input.toStdString()) ? Acceptable : Invalid;
    }

  private:
    const TextBox& box_;
};

}  // namespace

LineEdits::LineEdits(QWidget& window, FormWindowBase& policy) {
    for (TextBox* box : policy.textBoxes()) {
        auto* edit = new QLineEdit(&window);
        edit->setFrame(box->bordered());
        edit->setValidator(new AcceptedByBox(*box, edit));
        edit->installEventFilter(this);
        edit->hide();
        edits_[box] = edit;
        connect(edit, &QLineEdit::textEdited, this, [&policy, box](const QString& text) {
            policy.textEdited(*box, text.toStdString());
        });
    }
}

bool LineEdits::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) return false;
    auto* edit = qobject_cast<QLineEdit*>(watched);
    QWindow* window = edit ? edit->window()->windowHandle() : nullptr;
    if (!window || window->isActive()) return false;
    // Qt refuses to activate a window that does not accept the focus; on X11 a window that
    // bypasses the window manager is then given the input focus directly.
    window->setFlag(Qt::WindowDoesNotAcceptFocus, false);
    window->requestActivate();
    return false;  // the line edit takes the press: the cursor goes where it was clicked
}

void LineEdits::sync(const TextBox& box, const PixelRect& where, bool shown) {
    const auto it = edits_.find(&box);
    if (it == edits_.end()) return;
    QLineEdit& edit = *it->second;
    edit.setFont(toQFont(box.font()));
    QPalette palette = edit.palette();
    palette.setColor(QPalette::Base, toQColor(box.BackColor()));
    palette.setColor(QPalette::Text, toQColor(box.ForeColor()));
    edit.setPalette(palette);
    edit.setAlignment(toQAlignment(box.alignment()));
    edit.setTextMargins(0, 0, 0, 0);
    edit.setContentsMargins(0, 0, 0, 0);
    if (edit.text().toStdString() != box.Text()) edit.setText(QString::fromStdString(box.Text()));
    edit.setGeometry(toQRect(where));
    edit.setVisible(shown);
}

}  // namespace xmascard
