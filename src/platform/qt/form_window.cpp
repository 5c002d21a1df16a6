// SPDX-License-Identifier: MIT
#include "platform/qt/form_window.h"

#include <QCloseEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>
#include <QWindow>

#include "platform/paint_controls.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_colors.h"
#include "platform/resources.h"
#include "platform/runtime.h"

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

QPixmap embeddedPixmap(const char* name) {
    QPixmap pixmap;
    if (const auto bytes = embeddedFile(name))
        pixmap.loadFromData(bytes->data(), static_cast<uint>(bytes->size()));
    return pixmap;
}

QCursor cursorFor(const Cursor& c) {
    if (c.isDefault()) return QCursor(Qt::ArrowCursor);
    const QPixmap pixmap = embeddedPixmap(c.picture);
    if (pixmap.isNull()) return QCursor(Qt::ArrowCursor);
    return QCursor(pixmap, c.hotX, c.hotY);
}

PixelPoint pixelPoint(const QPointF& p) {
    const QPoint q = p.toPoint();
    return {q.x(), q.y()};
}

}  // namespace

const WindowOutlines FormWindow::defaultOutlines_;

FormWindow::FormWindow(Form& form, const WindowOutlines& outlines)
    : QWidget(nullptr, flagsFor(form)),
      form_(form),
      outlines_(outlines),
      pointer_(form),
      edits_(*this, form),
      faces_(*this, form) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Asks Qt for a window with an alpha channel (a 32-bit ARGB visual on X11).
    if (outlines_.throughAlpha()) setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Qt shows tool tips only over the active window, and the card's windows never become
    // active: the plug's "Exit" would never appear.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setMouseTracking(true);
    setWindowTitle(QString::fromStdString(form.Caption()));
    if (form.icon()) setWindowIcon(QIcon(embeddedPixmap(form.icon())));
    syncGeometry();
}

FormWindow::~FormWindow() = default;

void FormWindow::syncGeometry() {
    const PixelRect r = form_.geometry().pixels();
    const QSize size(std::max(1, r.width()), std::max(1, r.height()));
    if (size != this->size()) resize(size);
    // Asked for even where it seems unchanged: a window never moved explicitly is placed by
    // the window manager, and one at the screen's corner would then open somewhere else.
    const QPoint at(r.left, r.top);
    if (at != pos() || !testAttribute(Qt::WA_Moved)) move(at);
}

void FormWindow::syncVisibility() {
    if (!form_.Visible()) {
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
        // A move needs no repaint: the display moves what the window shows, under the
        // Wayland compositors too once the outline goes through the alpha channel (the
        // trails seen under KWin were pixels outside the X shape). The card and the cherub
        // move ten times a second while they come down.
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
    if (edits_.controlChanged(control, what)) return;
    faces_.controlChanged(control);
    // Qt gathers every change of a frame's ticks into one repaint, after the frame.
    for (const PixelRect& area : repaints_.changed(control, what)) update(toQRect(area));
}

void FormWindow::regionChanged() {
    const RegionHandle& region = form_.region();
    if (!region)
        shape_ = QRegion();
    else if (region->isEmpty())
        // An empty shape hides the whole window; Qt reads an empty mask as "no mask".
        shape_ = QRegion(-1, -1, 1, 1);
    else
        shape_ = toQRegion(*region);
    applyShape();
}

// The shape cuts the native window only. A widget mask would also clip every repaint to the
// shape's scanlines, and each of those hundreds of strips would go to the display as its own
// image; painting the whole rectangle sends one, and what lies outside the shape is not shown.
void FormWindow::applyShape() {
    if (QWindow* window = windowHandle()) outlines_.apply(*window, shape_);
    // Through the alpha channel the outline is painted: what lies outside it turns clear.
    if (outlines_.throughAlpha()) update();
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
    repaints_.painted();  // a paint covers every area asked for since the last one
    QPainter painter(this);
    painter.setClipRegion(event->region());
    QtCanvas canvas(painter);
    paintForm(canvas, form_, TextBoxes::Live);
    if (outlines_.throughAlpha()) clearOutside(painter, event->region(), shape_);
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
    pointer_.press(pixelPoint(event->position()), pixelPoint(event->globalPosition()),
                   buttonsOf(event->button()), shiftOf(event->modifiers()));
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
    const Control* under =
        pointer_.move(pixelPoint(event->position()), pixelPoint(event->globalPosition()),
                      buttonsOf(event->buttons()), shiftOf(event->modifiers()));
    // The cursor follows the control under the pointer, unless a control holds the mouse.
    if (!pointer_.holding()) setCursor(cursorFor(under ? under->MousePointer() : Cursor{}));
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    pointer_.release(pixelPoint(event->position()), pixelPoint(event->globalPosition()),
                     buttonsOf(event->button()), buttonsOf(event->buttons()),
                     shiftOf(event->modifiers()));
}

bool FormWindow::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const Control* over = controlAt(form_, {help->pos().x(), help->pos().y()});
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
