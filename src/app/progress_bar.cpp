// SPDX-License-Identifier: MIT
#include "app/progress_bar.h"

#include <algorithm>
#include <cmath>

namespace xmascard {
namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawEvery = std::chrono::milliseconds(200);
// Before this share of the show is done the pace says too little to go by.
constexpr double kFirstEstimateAt = 0.02;

std::string minutesAndSeconds(double seconds) {
    const long whole = std::lround(seconds);
    char text[48];
    std::snprintf(text, sizeof text, "%02ld:%02ld", whole / 60, whole % 60);
    return text;
}

}  // namespace

std::string progressLine(double recordedSeconds, double showSeconds, double elapsedSeconds) {
    const double share =
        showSeconds > 0 ? std::clamp(recordedSeconds / showSeconds, 0.0, 1.0) : 0.0;
    const int filled = static_cast<int>(std::floor(share * kBarWidth));
    const std::string left = share >= 1 ? "00:00"
                             : share < kFirstEstimateAt || elapsedSeconds <= 0
                                 ? "--:--"
                                 : minutesAndSeconds(elapsedSeconds * (1 - share) / share);
    char text[128];
    std::snprintf(text, sizeof text, "[%s%s] %3d%%  %5.1f of %.1f s, %s left",
                  std::string(static_cast<std::size_t>(filled), '#').c_str(),
                  std::string(static_cast<std::size_t>(kBarWidth - filled), '-').c_str(),
                  static_cast<int>(std::floor(share * 100)), std::min(recordedSeconds, showSeconds),
                  showSeconds, left.c_str());
    return text;
}

void ProgressBar::update(double recordedSeconds) {
    const auto now = Clock::now();
    if (now - lastDrawn_ < kRedrawEvery) return;
    lastDrawn_ = now;
    draw(recordedSeconds);
}

void ProgressBar::close(double recordedSeconds) {
    draw(recordedSeconds);
    std::fputc('\n', out_);
}

void ProgressBar::draw(double recordedSeconds) {
    const double elapsed = std::chrono::duration<double>(Clock::now() - start_).count();
    std::fprintf(out_, "\rxmascard: recording %s",
                 progressLine(recordedSeconds, showSeconds_, elapsed).c_str());
    std::fflush(out_);
}

}  // namespace xmascard
