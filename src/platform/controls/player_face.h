// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/geometry.h"

namespace xmascard {

class Canvas;

// What a media player's face shows: the tune's title, how far it has played and whether it
// plays now. Times are seconds.
struct PlayerFace {
    std::string title;
    double position = 0;
    double duration = 0;  // 0: not known
    bool playing = false;
};

// Draws a player's face into `area`: a small case in the card's reds with a screen showing
// the title and the time, a tracker of the progress, and the play and stop buttons, the
// one that applies lit.
void paintPlayerFace(Canvas& canvas, const PixelRect& area, const PlayerFace& face);

// A time as a player shows it: "m:ss", whole seconds, rounded down.
std::string playerTime(double seconds);

}  // namespace xmascard
