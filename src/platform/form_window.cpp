// SPDX-License-Identifier: MIT
#include "platform/form_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

#include "platform/command_button.h"
#include "platform/form_painter.h"
#include "platform/picture_box.h"
#include "platform/qt_colors.h"
#include "platform/region_impl.h"
#include "platform/runtime.h"
#include "platform/text_box.h"

namespace xmascard {

namespace {

// Borderless windows are placed and moved by the show itself, on the screen and off it. A
// window manager would pull them onto the screen, give them the keyboard focus and list
// them in its taskbar, so they bypass it (override-redirect on X11), as desktop toys do,
// and never take the focus.
Qt::WindowFlags flagsFor(const Form& form) {
    if (form.borderless())
        return Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint |
               Qt::WindowDoesNotAcceptFocus;
    Qt::WindowFlags flags = Qt::Window;
    if (!form.showInTaskbar()) flags |= Qt::Tool;
    return flags;
}

int buttonsOf(Qt::MouseButtons b) {
    int out = 0;
    if (b & Qt::LeftButton) out |= kLeftButton;
    if (b & Qt::RightButton) out |= kRightButton;
    if (b & Qt::MiddleButton) out |= kMiddleButton;
    return out;
}

int shiftOf(Qt::KeyboardModifiers m) {
    int out = 0;
    if (m & Qt::ShiftModifier) out |= 1;
    if (m & Qt::ControlModifier) out |= 2;
    if (m & Qt::AltModifier) out |= 4;
    return out;
}

QCursor cursorFor(const Cursor& c) {
    if (c.isDefault()) return QCursor(Qt::ArrowCursor);
    const QPixmap pixmap(QString::fromUtf8(c.picture));
    if (pixmap.isNull()) return QCursor(Qt::ArrowCursor);
    return QCursor(pixmap, c.hotX, c.hotY);
}

Control* hitIn(const std::vector<Control*>& children, const QPoint& at);

Control* hitControl(Control* c, const QPoint& at) {
    if (!c->Visible()) return nullptr;
    if (c->kind() == ControlKind::Shape || c->kind() == ControlKind::Timer ||
        c->kind() == ControlKind::MediaPlayer)
        return nullptr;  // these take no mouse input
    if (!controlRectInForm(*c).contains(at)) return nullptr;
    if (c->kind() == ControlKind::PictureBox) {
        auto* box = static_cast<PictureBox*>(c);
        if (innerRectInForm(*box).contains(at))
            if (Control* inner = hitIn(box->children(), at)) return inner;
    }
    return c;
}

// The front-most control under a point: windowed controls lie above windowless ones, later
// ones in the stacking order above earlier ones.
Control* hitIn(const std::vector<Control*>& children, const QPoint& at) {
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (!(*it)->isWindowless())
            if (Control* hit = hitControl(*it, at)) return hit;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if ((*it)->isWindowless())
            if (Control* hit = hitControl(*it, at)) return hit;
    return nullptr;
}

}  // namespace

std::unique_ptr<FormView> FormWindow::create(Form& form) {
    return std::make_unique<FormWindow>(form);
}

FormWindow::FormWindow(Form& form) : QWidget(nullptr, flagsFor(form)), form_(form) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    setWindowTitle(QString::fromStdString(form.Caption()));
    if (form.icon()) setWindowIcon(QIcon(QString::fromUtf8(form.icon())));
    createLineEdits();
    syncGeometry();
}

FormWindow::~FormWindow() = default;

void FormWindow::createLineEdits() {
    for (Control* c : form_.Controls()) {
        if (c->kind() != ControlKind::TextBox) continue;
        auto* box = static_cast<TextBox*>(c);
        auto* edit = new QLineEdit(this);
        edit->setFrame(box->bordered());
        edits_[box] = edit;
        syncLineEdit(*box);
        connect(edit, &QLineEdit::textEdited, this, [this, box](const QString& text) {
            box->setText(text.toStdString());
            form_.runtime().requestSweep();
        });
    }
}

void FormWindow::syncLineEdit(TextBox& box) {
    QLineEdit* edit = edits_.at(&box);
    edit->setFont(toQFont(box.font()));
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, toQColor(box.BackColor()));
    palette.setColor(QPalette::Text, toQColor(box.ForeColor()));
    edit->setPalette(palette);
    edit->setAlignment(box.alignment() == Alignment::Center  ? Qt::AlignHCenter
                       : box.alignment() == Alignment::Right ? Qt::AlignRight
                                                             : Qt::AlignLeft);
    edit->setTextMargins(0, 0, 0, 0);
    edit->setContentsMargins(0, 0, 0, 0);
    if (edit->text().toStdString() != box.Text()) edit->setText(QString::fromStdString(box.Text()));
    edit->setGeometry(controlRectInForm(box));
    bool shown = box.Visible();
    for (const PictureBox* p = box.Container(); p && shown; p = p->Container())
        shown = p->Visible();
    edit->setVisible(shown);
}

QRect FormWindow::rectOf(const Control& control) const { return controlRectInForm(control); }

void FormWindow::syncGeometry() {
    const QPoint at(devicePixels(Twips{form_.Left()}), devicePixels(Twips{form_.Top()}));
    const QSize size(std::max(1, devicePixels(Twips{form_.Width()})),
                     std::max(1, devicePixels(Twips{form_.Height()})));
    if (size != this->size()) resize(size);
    // Asked for even where it seems unchanged: a window never moved explicitly is placed by
    // the window manager, and one at the screen's corner would then open somewhere else.
    if (at != pos() || !testAttribute(Qt::WA_Moved)) move(at);
}

void FormWindow::syncVisibility() {
    const bool shown = form_.Visible();
    if (!shown) {
        hide();
        return;
    }
    if (form_.windowState() == WindowState::Minimized)
        showMinimized();
    else if (!isVisible() || isMinimized())
        showNormal();
    QWidget::raise();
}

void FormWindow::formChanged(Change what) {
    if (what == Change::Geometry) {
        // A move needs no repaint: the display moves what the window shows. The card and
        // the cherub move ten times a second while they come down.
        const QSize before = size();
        syncGeometry();
        if (size() != before) update();
    } else if (what == Change::Visibility) {
        syncGeometry();
        syncVisibility();
    } else {
        update();
    }
}

void FormWindow::controlChanged(Control& control, Change what) {
    if (control.kind() == ControlKind::TextBox && edits_.count(static_cast<TextBox*>(&control))) {
        syncLineEdit(static_cast<TextBox&>(control));
        return;
    }
    if (what == Change::Content && !contentPending_.insert(&control).second) return;
    const QRect now = rectOf(control);
    auto it = painted_.find(&control);
    if (it != painted_.end()) {
        if (what == Change::Geometry || what == Change::Visibility) repaintLater(it->second);
        it->second = now;
    } else {
        painted_.emplace(&control, now);
    }
    repaintLater(now);
    if (control.kind() == ControlKind::PictureBox &&
        (what == Change::Geometry || what == Change::Visibility))
        for (auto& [box, edit] : edits_) syncLineEdit(const_cast<TextBox&>(*box));
}

void FormWindow::repaintLater(const QRect& area) {
    // Qt gathers every change of a frame's ticks into one repaint, after the frame.
    update(area);
}

void FormWindow::regionChanged() {
    const RegionHandle& region = form_.region();
    if (!region) {
        shape_ = QRegion();
    } else if (region->isEmpty()) {
        // An empty shape hides the whole window; Qt reads an empty mask as "no mask".
        shape_ = QRegion(-1, -1, 1, 1);
    } else {
        shape_ = qRegion(*region);
    }
    applyShape();
}

// The shape cuts the native window only. A widget mask would also clip every repaint to the
// shape's scanlines, and each of those hundreds of strips would go to the display as its own
// image; painting the whole rectangle sends one, and what lies outside the shape is not shown.
void FormWindow::applyShape() {
    if (QWindow* window = windowHandle()) window->setMask(shape_);
}

void FormWindow::showEvent(QShowEvent* event) {
    // The native window exists from here on, and is not yet on the screen.
    applyShape();
    QWidget::showEvent(event);
}

void FormWindow::raise() { QWidget::raise(); }

FrameMetrics FormWindow::frame() const {
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const int side = std::max(0, (outer.width() - inner.width()) / 2);
    const int top = std::max(0, inner.top() - outer.top());
    return {side, top};
}

void FormWindow::paintEvent(QPaintEvent* event) {
    contentPending_.clear();  // a paint covers every area asked for since the last one
    QPainter painter(this);
    painter.setClipRegion(event->region());
    paintForm(painter, form_, TextBoxes::Live);
}

Control* FormWindow::hitTest(const QPoint& at) const { return hitIn(form_.children(), at); }

MouseEvent FormWindow::mouseEventFor(const Control& control, const QPoint& globalPos, int buttons,
                                     Qt::KeyboardModifiers modifiers) const {
    // Measured from where the form says the window is, so a window that moves while it is
    // dragged gives positions relative to its new place.
    const QPoint windowAt(devicePixels(Twips{form_.Left()}), devicePixels(Twips{form_.Top()}));
    QRect r = controlRectInForm(control);
    if (control.kind() == ControlKind::PictureBox)
        r = innerRectInForm(static_cast<const PictureBox&>(control));
    const QPoint local = globalPos - windowAt - r.topLeft();
    const ScaleMode scale = control.ownScale();
    return {buttons, shiftOf(modifiers),
            toScale(toTwips(Pixels{static_cast<float>(local.x())}), scale),
            toScale(toTwips(Pixels{static_cast<float>(local.y())}), scale)};
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
    Control* target = captured_ ? captured_ : hitTest(event->position().toPoint());
    if (!target) return;
    captured_ = target;
    if (target->kind() == ControlKind::CommandButton)
        static_cast<CommandButton*>(target)->setPressed(true);
    const MouseEvent e = mouseEventFor(*target, event->globalPosition().toPoint(),
                                       buttonsOf(event->button()), event->modifiers());
    if (target->MouseDown) target->MouseDown(e);
    form_.runtime().requestSweep();
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
    Control* target = captured_ ? captured_ : hitTest(event->position().toPoint());
    if (!captured_) syncCursor(target);
    if (!target) return;
    const MouseEvent e = mouseEventFor(*target, event->globalPosition().toPoint(),
                                       buttonsOf(event->buttons()), event->modifiers());
    if (target->MouseMove) target->MouseMove(e);
    form_.runtime().requestSweep();
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    Control* target = captured_;
    if (!target) return;
    if (event->buttons() == Qt::NoButton) captured_ = nullptr;
    if (target->kind() == ControlKind::CommandButton)
        static_cast<CommandButton*>(target)->setPressed(false);
    const MouseEvent e = mouseEventFor(*target, event->globalPosition().toPoint(),
                                       buttonsOf(event->button()), event->modifiers());
    const bool over = hitTest(event->position().toPoint()) == target;
    if (target->MouseUp) target->MouseUp(e);
    // A click is a left press and release on the same control. The handlers may unload this
    // window; `this` stays valid until the runtime sweeps after the event.
    if (over && event->button() == Qt::LeftButton && target->Click) target->Click();
    form_.runtime().requestSweep();
}

void FormWindow::syncCursor(const Control* over) {
    const Cursor& c = over ? over->MousePointer() : Cursor{};
    setCursor(cursorFor(c));
}

bool FormWindow::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const Control* over = hitTest(help->pos());
        if (over && !over->ToolTipText().empty())
            QToolTip::showText(help->globalPos(), QString::fromStdString(over->ToolTipText()),
                               this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The windows have no close box; a close asked for by the window manager (Alt+F4)
    // ends the card, as the plug does.
    event->ignore();
    form_.runtime().End();
}

void FormWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange)
        form_.setWindowState(isMinimized()   ? WindowState::Minimized
                             : isMaximized() ? WindowState::Maximized
                                             : WindowState::Normal);
    QWidget::changeEvent(event);
}

}  // namespace xmascard
