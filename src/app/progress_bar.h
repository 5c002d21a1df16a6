// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace xmascard {

// The line that shows a recording's progress: a bar, the share done, the seconds of the
// show recorded and the time left, estimated from the pace so far ("--:--" until there is
// a pace to go by).
std::string progressLine(double recordedSeconds, double showSeconds, double elapsedSeconds);

// Redraws the progress line in place on a terminal, a few times a second at most.
class ProgressBar {
  public:
    ProgressBar(std::FILE* terminal, double showSeconds)
        : out_(terminal), showSeconds_(showSeconds), start_(Clock::now()) {}

    void update(double recordedSeconds);
    // Draws the last state and ends the line.
    void close(double recordedSeconds);

  private:
    using Clock = std::chrono::steady_clock;
    void draw(double recordedSeconds);

    std::FILE* out_;
    double showSeconds_;
    Clock::time_point start_;
    Clock::time_point lastDrawn_{};
};

}  // namespace xmascard
