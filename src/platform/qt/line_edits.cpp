// SPDX-License-Identifier: MIT
#include "platform/qt/line_edits.h"

#include <QEvent>
#include <QLineEdit>
#include <QValidator>
#include <QWindow>

#include "platform/control_geometry.h"
#include "platform/form.h"
#include "platform/picture_box.h"
#include "platform/qt/qt_colors.h"
#include "platform/runtime.h"
#include "platform/text_box.h"

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

LineEdits::LineEdits(QWidget& window, Form& form) : form_(form) {
    for (Control* c : form.Controls()) {
        auto* box = dynamic_cast<TextBox*>(c);
        if (!box) continue;
        auto* edit = new QLineEdit(&window);
        edit->setFrame(box->bordered());
        edit->setValidator(new AcceptedByBox(*box, edit));
        edit->installEventFilter(this);
        edits_[box] = edit;
        sync(*box, *edit);
        connect(edit, &QLineEdit::textEdited, this, [this, box](const QString& text) {
            box->userEdit(text.toStdString());
            form_.runtime().requestSweep();
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

bool LineEdits::controlChanged(const Control& control, Change what) {
    if (auto it = edits_.find(dynamic_cast<const TextBox*>(&control)); it != edits_.end()) {
        sync(*it->first, *it->second);
        return true;
    }
    // A picture box that moves, hides or shows takes the text boxes it holds along.
    if (dynamic_cast<const PictureBox*>(&control) &&
        (what == Change::Geometry || what == Change::Visibility))
        for (auto& [box, edit] : edits_) sync(*box, *edit);
    return false;
}

void LineEdits::sync(const TextBox& box, QLineEdit& edit) {
    edit.setFont(toQFont(box.font()));
    QPalette palette = edit.palette();
    palette.setColor(QPalette::Base, toQColor(box.BackColor()));
    palette.setColor(QPalette::Text, toQColor(box.ForeColor()));
    edit.setPalette(palette);
    edit.setAlignment(toQAlignment(box.alignment()));
    edit.setTextMargins(0, 0, 0, 0);
    edit.setContentsMargins(0, 0, 0, 0);
    if (edit.text().toStdString() != box.Text()) edit.setText(QString::fromStdString(box.Text()));
    edit.setGeometry(toQRect(controlRectInForm(box)));
    bool shown = box.Visible();
    for (const PictureBox* p = box.Container(); p && shown; p = p->Container())
        shown = p->Visible();
    edit.setVisible(shown);
}

}  // namespace xmascard
