// SPDX-License-Identifier: MIT
#include "platform/controls/player_face.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/canvas.h"

namespace xmascard {

namespace {

constexpr Color kCase = RGB(255, 224, 192);
constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kScreen = RGB(128, 0, 0);
constexpr Color kScreenEdge = RGB(64, 0, 0);
constexpr Color kPeach = RGB(255, 224, 192);
constexpr Color kGold = RGB(255, 192, 128);
constexpr Color kUnlit = RGB(224, 160, 128);
constexpr Color kGroove = RGB(224, 176, 144);

constexpr Font kTitleFont{.family = "Arial", .points = 8.25f, .bold = true, .italic = true};
constexpr Font kTimeFont{.family = "Arial", .points = 8.25f, .bold = true};

Figure rectangle(const PixelRect& box, Color back, Color border) {
    Figure f;
    f.box = box;
    f.back = back;
    f.borderWidth = 1;
    f.borderColor = border;
    return f;
}

// A triangle pointing right, drawn a column at a time.
void playSign(Canvas& canvas, PixelPoint at, int size, Color color) {
    for (int x = 0; x < size; ++x) {
        const int half = (size - 1 - x) / 2;
        canvas.line({at.x + x, at.y + size / 2 - half}, {at.x + x, at.y + size / 2 + half}, color);
    }
}

void screen(Canvas& canvas, const PixelRect& box, const PlayerFace& face) {
    canvas.drawFigure(rectangle(box, kScreen, kScreenEdge));
    const PixelRect inside = box.adjusted(4, 3, -4, -3);
    const int half = inside.height() / 2;
    const PixelRect top = inside.adjusted(0, 0, 0, -half);
    const PixelRect bottom = inside.adjusted(0, half, 0, 0);
    canvas.drawText(top, top, "\u266B " + face.title,
                    {kTitleFont, kPeach, Alignment::Center, TextStyle::Vertical::Center, false});
    std::string time = playerTime(face.position);
    if (face.duration > 0) time += " / " + playerTime(face.duration);
    canvas.drawText(bottom, bottom, time,
                    {kTimeFont, kGold, Alignment::Center, TextStyle::Vertical::Center, false});
}

void tracker(Canvas& canvas, const PixelRect& groove, const PlayerFace& face) {
    canvas.fillRect(groove, kGroove);
    const double share =
        face.duration > 0 ? std::clamp(face.position / face.duration, 0.0, 1.0) : 0.0;
    const int reached = groove.left + static_cast<int>(std::lround(share * groove.width()));
    canvas.fillRect({groove.left, groove.top, reached, groove.bottom}, kRed);
    Figure knob;
    knob.kind = Figure::Kind::Circle;
    const int d = groove.height() + 6;
    knob.box = PixelRect::at(reached - d / 2, groove.top - 3, d, d);
    knob.fill = FillStyle::Solid;
    knob.fillColor = kPeach;
    knob.borderWidth = 1;
    knob.borderColor = kRed;
    canvas.drawFigure(knob);
}

void buttons(Canvas& canvas, const PixelRect& row, bool playing) {
    constexpr int kButton = 17;
    constexpr int kGap = 8;
    const int left = row.left + (row.width() - 2 * kButton - kGap) / 2;
    const PixelRect play = PixelRect::at(left, row.top, kButton, kButton);
    const PixelRect stop = play.translated({kButton + kGap, 0});
    for (const PixelRect& b : {play, stop}) canvas.drawFigure(rectangle(b, kPeach, kRed));
    playSign(canvas, play.topLeft() + PixelPoint{6, 4}, 9, playing ? kRed : kUnlit);
    canvas.fillRect(stop.adjusted(5, 5, -5, -5), playing ? kUnlit : kRed);
}

}  // namespace

void paintPlayerFace(Canvas& canvas, const PixelRect& area, const PlayerFace& face) {
    if (area.width() < 40 || area.height() < 60) return;
    Figure body = rectangle(area, kCase, kRed);
    body.borderWidth = 2;
    canvas.drawFigure(body);
    const PixelRect inside = area.adjusted(6, 6, -6, -6);
    screen(canvas, {inside.left, inside.top, inside.right, inside.bottom - 42}, face);
    tracker(canvas, {inside.left + 4, inside.bottom - 32, inside.right - 4, inside.bottom - 28},
            face);
    buttons(canvas, {inside.left, inside.bottom - 18, inside.right, inside.bottom}, face.playing);
}

std::string playerTime(double seconds) {
    const long whole = std::isfinite(seconds) ? std::max(0L, std::lround(std::floor(seconds))) : 0;
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

}  // namespace xmascard
