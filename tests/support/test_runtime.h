// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "platform/headless_host.h"
#include "platform/media/audio_engine.h"
#include "platform/runtime.h"
#include "platform/time/clock.h"
#include "platform/time/tick_loop.h"
#include "support/test_graphics.h"

namespace xmascard::testing {

// A runtime under a virtual clock, with a silent audio output, on a headless host of a
// 1280 x 800 screen whose sound directory is a fresh one of its own: what every headless
// test of a window starts from. The clock starts at 0, as the program's does, unless a test
// wants it elsewhere.
struct TestRuntime {
    explicit TestRuntime(double clockStart = 0) : clock(clockStart) {}
    VirtualClock clock;
    std::unique_ptr<media::AudioEngine> audio =
        media::AudioEngine::create(media::AudioEngine::Output::Silent);
    TempDirectory soundDirectory;
    HeadlessHost host{testGraphics(), {1280, 800}, soundDirectory.path};
    Runtime runtime{clock, *audio, host};
    VirtualLoop loop{runtime, clock};
};

}  // namespace xmascard::testing
