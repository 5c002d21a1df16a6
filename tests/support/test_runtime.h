// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <memory>

#include "platform/clock.h"
#include "platform/media/audio_engine.h"
#include "platform/picture_impl.h"
#include "platform/runtime.h"

namespace xmascard::testing {

// A runtime under a virtual clock with a silent audio output and no views: what every
// headless test of a window starts from.
struct TestRuntime {
    VirtualClock clock{1000.0};
    std::unique_ptr<media::AudioEngine> audio =
        media::AudioEngine::create(media::AudioEngine::Output::Silent);
    Runtime runtime{clock, *audio};
    VirtualLoop loop{runtime, clock};
};

// A picture of the given size in one colour, for drawing test figures into.
inline QImage solidImage(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

}  // namespace xmascard::testing
