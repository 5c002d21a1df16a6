// SPDX-License-Identifier: MIT
#include "platform/form_painter.h"

#include <QFont>
#include <QFontMetrics>
#include <cmath>

#include "platform/command_button.h"
#include "platform/image_control.h"
#include "platform/label.h"
#include "platform/picture_box.h"
#include "platform/picture_impl.h"
#include "platform/qt_colors.h"
#include "platform/region_impl.h"
#include "platform/shape.h"
#include "platform/surface_impl.h"
#include "platform/text_box.h"

namespace xmascard {

namespace {

QRect localRect(const Control& c) {
    return QRect(devicePixels(c.leftTwips()), devicePixels(c.topTwips()),
                 devicePixels(c.widthTwips()), devicePixels(c.heightTwips()));
}

}  // namespace

// The part of a rectangle inside the painter's clip. Large blits and fills are split over
// threads by Qt, so painting only what is exposed keeps small updates cheap.
QRect exposed(const QPainter& p, const QRect& r) {
    const QRectF clip = p.clipBoundingRect();
    return clip.isEmpty() ? r : r.intersected(clip.toAlignedRect());
}

// Paints a large area in strips. Qt spreads a large blit or fill over a pool of threads,
// and waking them costs far more than the work itself at the card's sizes.
template <class Paint>
void inStrips(const QRect& area, Paint paint) {
    constexpr int kStrip = 32;
    for (int y = area.top(); y <= area.bottom(); y += kStrip)
        paint(QRect(area.left(), y, area.width(), std::min(kStrip, area.bottom() + 1 - y)));
}

QFont toQFont(const Font& f) {
    QFont font;
    // Where the named font is missing, its metric twin stands in (Liberation Serif for Times
    // New Roman, Liberation Sans for the others): a plain fallback would give a sans serif.
    const QString family = QString::fromUtf8(f.family ? f.family : "Liberation Sans");
    const QString twin =
        family == "Times New Roman" ? QStringLiteral("Liberation Serif") : "Liberation Sans";
    font.setFamilies({family, twin, "DejaVu Sans"});
    font.setPixelSize(static_cast<int>(std::lround(f.points * 96.0f / 72.0f)));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    return font;
}

namespace {

Qt::Alignment toQAlignment(Alignment a) {
    switch (a) {
        case Alignment::Left:
            return Qt::AlignLeft;
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::Center:
            return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

void paintSunkenEdge(QPainter& p, const QRect& r) {
    // The classic 3D edge: shadow above and left, light below and right, two pixels deep.
    const int x0 = r.left(), y0 = r.top(), x1 = r.right(), y1 = r.bottom();
    p.setPen(QColor(160, 160, 160));
    p.drawLine(x0, y0, x1 - 1, y0);
    p.drawLine(x0, y0, x0, y1 - 1);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(x0, y1, x1, y1);
    p.drawLine(x1, y0, x1, y1);
    p.setPen(QColor(105, 105, 105));
    p.drawLine(x0 + 1, y0 + 1, x1 - 2, y0 + 1);
    p.drawLine(x0 + 1, y0 + 1, x0 + 1, y1 - 2);
    p.setPen(QColor(227, 227, 227));
    p.drawLine(x0 + 1, y1 - 1, x1 - 1, y1 - 1);
    p.drawLine(x1 - 1, y0 + 1, x1 - 1, y1 - 1);
}

// Draws a shape's back, fill and border with ordinary painting, at `r` in the painter's
// coordinates.
void drawShapeFigure(QPainter& p, const Shape& s, const QRect& r) {
    const bool circle = s.type() == ShapeType::Circle;
    QRect box = r;
    if (circle) {
        const int d = std::min(r.width(), r.height());
        box = QRect(r.left() + (r.width() - d) / 2, r.top() + (r.height() - d) / 2, d, d);
    }
    const auto fillFigure = [&](const QBrush& brush) {
        p.setPen(Qt::NoPen);
        p.setBrush(brush);
        if (circle)
            p.drawEllipse(box);
        else
            inStrips(exposed(p, box), [&](const QRect& strip) { p.drawRect(strip); });
    };
    if (s.backStyle() == BackStyle::Opaque) fillFigure(QBrush(toQColor(s.BackColor())));
    if (s.fillStyle() != FillStyle::Transparent)
        fillFigure(QBrush(toQColor(s.FillColor()), toBrushStyle(s.fillStyle())));
    if (s.borderVisible() && s.BorderWidth() > 0) {
        const int w = s.BorderWidth();
        QPen pen(toQColor(s.BorderColor()), w);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        // The border lies inside the figure's bounds.
        const qreal inset = w / 2.0;
        const QRectF inner = QRectF(box).adjusted(inset, inset, -inset, -inset);
        const QRectF thin = QRectF(box.adjusted(0, 0, -1, -1));
        if (circle)
            p.drawEllipse(w == 1 ? thin : inner);
        else
            p.drawRect(w == 1 ? thin : inner);
    }
}

void paintShape(QPainter& p, const Shape& s, const QRect& r) {
    if (r.width() <= 0 || r.height() <= 0) return;
    const bool hatched =
        s.fillStyle() != FillStyle::Solid && s.fillStyle() != FillStyle::Transparent;
    if (s.drawMode() == DrawMode::CopyPen || !hatched) {
        // Solid figures AND cleanly with Qt's raster op.
        p.save();
        if (s.drawMode() == DrawMode::MaskPen)
            p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        drawShapeFigure(p, s, r);
        p.restore();
        return;
    }
    // A hatch in mask pen: Qt's raster op would also AND the transparent gaps between the
    // lines (as black), so the figure is drawn apart first and its gaps turned white, which
    // leaves the pixels under them as they are.
    QImage figure(r.size(), QImage::Format_ARGB32_Premultiplied);
    figure.fill(Qt::transparent);
    {
        QPainter f(&figure);
        f.translate(-r.topLeft());
        drawShapeFigure(f, s, r);
        f.setCompositionMode(QPainter::CompositionMode_DestinationOver);
        f.fillRect(r, Qt::white);
    }
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(r.topLeft(), figure);
    p.restore();
}

void paintLabel(QPainter& p, const Label& l, const QRect& r) {
    p.save();
    if (l.backStyle() == BackStyle::Opaque) p.fillRect(r, toQColor(l.BackColor()));
    QRect text = r;
    if (l.bordered()) {
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        text = r.adjusted(1, 1, -1, -1);
    }
    p.setFont(toQFont(l.font()));
    p.setPen(toQColor(l.ForeColor()));
    p.setClipRect(text, Qt::IntersectClip);
    p.drawText(text, toQAlignment(l.alignment()) | Qt::AlignTop | Qt::TextWordWrap,
               QString::fromStdString(l.Caption()));
    p.restore();
}

void paintImage(QPainter& p, const ImageControl& i, const QRect& r) {
    const QImage* image = qImage(i.picture());
    if (!image) return;
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(r, *image);
    p.restore();
}

void paintTextBox(QPainter& p, const TextBox& t, const QRect& r) {
    p.save();
    p.fillRect(r, toQColor(t.BackColor()));
    p.setFont(toQFont(t.font()));
    p.setPen(toQColor(t.ForeColor()));
    p.setClipRect(r, Qt::IntersectClip);
    p.drawText(r.adjusted(2, 0, -2, 0), toQAlignment(t.alignment()) | Qt::AlignVCenter,
               QString::fromStdString(t.Text()));
    p.restore();
}

void paintButton(QPainter& p, const CommandButton& b, const QRect& r) {
    p.save();
    p.fillRect(r, toQColor(b.BackColor()));
    if (const QImage* face = qImage(b.face())) {
        // A graphical button shows its face centred, cut to the button.
        p.setClipRect(r, Qt::IntersectClip);
        const QPoint at(r.left() + (r.width() - face->width()) / 2,
                        r.top() + (r.height() - face->height()) / 2);
        p.drawImage(at + (b.pressed() ? QPoint(1, 1) : QPoint()), *face);
    }
    p.restore();
}

void paintChildren(QPainter& p, const std::vector<Control*>& children, TextBoxes textBoxes);

void paintPictureBox(QPainter& p, const PictureBox& box, const QRect& r, TextBoxes textBoxes) {
    const int b = borderPixels(box.borderStyle());
    p.save();
    if (box.borderStyle() == BorderStyle::Flat) {
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    } else if (box.borderStyle() == BorderStyle::Sunken) {
        paintSunkenEdge(p, r);
    }
    const QRect inner = r.adjusted(b, b, -b, -b);
    p.setClipRect(inner, Qt::IntersectClip);
    inStrips(exposed(p, inner), [&](const QRect& strip) {
        p.drawImage(strip.topLeft(), qImage(box.surface()), strip.translated(-inner.topLeft()));
    });
    p.translate(inner.topLeft());
    paintChildren(p, box.children(), textBoxes);
    p.restore();
}

void paintControl(QPainter& p, const Control& c, TextBoxes textBoxes) {
    const QRect r = localRect(c);
    if (!p.clipBoundingRect().isEmpty() && !p.clipBoundingRect().intersects(QRectF(r))) return;
    switch (c.kind()) {
        case ControlKind::PictureBox:
            paintPictureBox(p, static_cast<const PictureBox&>(c), r, textBoxes);
            break;
        case ControlKind::Shape:
            paintShape(p, static_cast<const Shape&>(c), r);
            break;
        case ControlKind::Label:
            paintLabel(p, static_cast<const Label&>(c), r);
            break;
        case ControlKind::Image:
            paintImage(p, static_cast<const ImageControl&>(c), r);
            break;
        case ControlKind::TextBox:
            if (textBoxes == TextBoxes::Painted) paintTextBox(p, static_cast<const TextBox&>(c), r);
            break;
        case ControlKind::CommandButton:
            paintButton(p, static_cast<const CommandButton&>(c), r);
            break;
        case ControlKind::Timer:
        case ControlKind::MediaPlayer:
            break;  // nothing to see
    }
}

void paintChildren(QPainter& p, const std::vector<Control*>& children, TextBoxes textBoxes) {
    for (const Control* c : children)
        if (c->isWindowless() && c->Visible()) paintControl(p, *c, textBoxes);
    for (const Control* c : children)
        if (!c->isWindowless() && c->Visible()) paintControl(p, *c, textBoxes);
}

}  // namespace

QRect innerRectInForm(const PictureBox& box) {
    const int b = borderPixels(box.borderStyle());
    return controlRectInForm(box).adjusted(b, b, -b, -b);
}

QRect controlRectInForm(const Control& control) {
    QRect r = localRect(control);
    if (const PictureBox* box = control.Container()) r.translate(innerRectInForm(*box).topLeft());
    return r;
}

void paintForm(QPainter& painter, const Form& form, TextBoxes textBoxes) {
    const QRect client(0, 0, devicePixels(Twips{form.Width()}), devicePixels(Twips{form.Height()}));
    painter.fillRect(client, toQColor(form.BackColor()));
    paintChildren(painter, form.children(), textBoxes);
}

QImage renderForm(const Form& form) {
    QImage image(std::max(1, devicePixels(Twips{form.Width()})),
                 std::max(1, devicePixels(Twips{form.Height()})), QImage::Format_RGB32);
    QPainter painter(&image);
    paintForm(painter, form, TextBoxes::Painted);
    return image;
}

QImage renderScreen(const Runtime& runtime, QColor desktop) {
    const ScreenSize screen = runtime.screen();
    QImage image(screen.width, screen.height, QImage::Format_RGB32);
    image.fill(desktop);
    QPainter painter(&image);
    for (const Form* form : runtime.stacking()) {
        if (!form->Visible() || form->windowState() == WindowState::Minimized) continue;
        const QPoint at(devicePixels(Twips{form->Left()}), devicePixels(Twips{form->Top()}));
        const QImage window = renderForm(*form);
        painter.save();
        if (form->region()) painter.setClipRegion(qRegion(*form->region()).translated(at));
        painter.drawImage(at, window);
        painter.restore();
    }
    return image;
}

}  // namespace xmascard
