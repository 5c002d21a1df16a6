// SPDX-License-Identifier: MIT
#include "backends/qt/form_window.h"

#include <QCloseEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>
#include <QWindow>

#include "backends/qt/qt_canvas.h"
#include "backends/qt/qt_colors.h"
#include "backends/qt/qt_graphics.h"
#include "platform/resources.h"

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
    if (m & Qt::ShiftModifier) out |= kShiftKey;
    if (m & Qt::ControlModifier) out |= kCtrlKey;
    if (m & Qt::AltModifier) out |= kAltKey;
    return out;
}

QPixmap embeddedPixmap(const char* name) {
    std::string ignored;
    if (const auto bytes = embeddedFile(name))
        return QPixmap::fromImage(decodeImage(*bytes, ignored));
    return {};
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
      FormWindowBase(form),
      outlines_(outlines),
      edits_(*this, *this) {
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
    faceTimer_.setInterval(kFaceRepaintMilliseconds);
    connect(&faceTimer_, &QTimer::timeout, this, [this] { faceTimerFired(); });
    syncWithForm();
}

FormWindow::~FormWindow() = default;

void FormWindow::place(const PixelRect& where) {
    const QSize size(where.width(), where.height());
    if (size != this->size()) resize(size);
    // Asked for even where it seems unchanged: a window never moved explicitly is placed by
    // the window manager, and one at the screen's corner would then open somewhere else.
    const QPoint at(where.left, where.top);
    if (at != pos() || !testAttribute(Qt::WA_Moved)) move(at);
}

void FormWindow::showWindow(WindowState state) {
    if (state == WindowState::Minimized)
        showMinimized();
    else if (!isVisible() || isMinimized())
        showNormal();
}

void FormWindow::invalidate(const std::optional<PixelRect>& area) {
    if (area)
        update(toQRect(*area));
    else
        update();
}

void FormWindow::setShape(const Region* region) {
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

void FormWindow::setCursor(const Cursor& cursor) { QWidget::setCursor(cursorFor(cursor)); }

void FormWindow::syncEdit(const TextBox& box, const PixelRect& where, bool shown) {
    edits_.sync(box, where, shown);
}

void FormWindow::runFaceTimer(bool running) {
    if (running)
        faceTimer_.start();
    else
        faceTimer_.stop();
}

void FormWindow::showEvent(QShowEvent* event) {
    // The native window exists from here on, and is not yet on the screen.
    applyShape();
    QWidget::showEvent(event);
}

FrameMetrics FormWindow::frame() const {
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const int side = std::max(0, (outer.width() - inner.width()) / 2);
    const int top = std::max(0, inner.top() - outer.top());
    return {side, top};
}

void FormWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    QtCanvas canvas(painter);
    paint(canvas);
    if (outlines_.throughAlpha()) clearOutside(painter, event->region(), shape_);
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
    pointerPressed(pixelPoint(event->position()), pixelPoint(event->globalPosition()),
                   buttonsOf(event->button()), shiftOf(event->modifiers()));
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
    pointerMoved(pixelPoint(event->position()), pixelPoint(event->globalPosition()),
                 buttonsOf(event->buttons()), shiftOf(event->modifiers()));
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    pointerReleased(pixelPoint(event->position()), pixelPoint(event->globalPosition()),
                    buttonsOf(event->button()), buttonsOf(event->buttons()),
                    shiftOf(event->modifiers()));
}

bool FormWindow::event(QEvent* event) {
    // Qt asks for the tool tip when the pointer rests.
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const std::string tip = toolTipAt({help->pos().x(), help->pos().y()});
        if (!tip.empty())
            QToolTip::showText(help->globalPos(), QString::fromStdString(tip), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    closeRequested();
}

void FormWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange)
        stateChanged(isMinimized()   ? WindowState::Minimized
                     : isMaximized() ? WindowState::Maximized
                                     : WindowState::Normal);
    QWidget::changeEvent(event);
}

}  // namespace xmascard
