// SPDX-License-Identifier: MIT
#include "platform/time/frame_pacer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/controls/timer_control.h"
#include "platform/form.h"
#include "platform/headless_host.h"
#include "platform/media/audio_engine.h"
#include "platform/runtime.h"
#include "support/test_graphics.h"

namespace xmascard {
namespace {

// A runtime whose clock shows each tick its own time, over a "real" clock the test moves.
struct PacedRuntime {
    VirtualClock real{1000.0};
    TickClock clock{real};
    std::unique_ptr<media::AudioEngine> audio =
        media::AudioEngine::create(media::AudioEngine::Output::Silent);
    HeadlessHost host{testing::testGraphics(), {}, ""};
    Runtime runtime{clock, *audio, host};
    FramePacer pacer{runtime, clock};
    Form form{runtime, FormDesign{}, {}};
    std::vector<std::unique_ptr<TimerControl>> timers;

    TimerControl& timer(int interval, std::vector<double>& seen) {
        timers.push_back(std::make_unique<TimerControl>(form, "T", -1, nullptr));
        TimerControl& t = *timers.back();
        t.setInterval(interval);
        t.setEnabled(true);
        t.Timer = [this, &seen] { seen.push_back(clock.now() - 1000.0); };
        return t;
    }

    // Sleeps until each planned wake, as the event loop does, for `seconds` of real time.
    int runFor(double seconds) {
        const double until = real.now() + seconds;
        int wakes = 0;
        for (auto wake = pacer.nextWake(); wake && *wake <= until; wake = pacer.nextWake()) {
            real.set(*wake + 0.0004);  // a real wake comes a little late
            pacer.runDue();
            ++wakes;
        }
        real.set(until);
        return wakes;
    }
};

TEST(FramePacer, RunsEveryTickAtItsOwnTimeAFrameAtATime) {
    PacedRuntime p;
    std::vector<double> fast, slow;
    p.timer(1, fast);
    p.timer(100, slow);
    const int wakes = p.runFor(1.0);
    // A tick may wait for the next frame, never longer.
    ASSERT_GE(fast.size(), static_cast<std::size_t>(64 - FramePacer::kStepTicks + 1));
    for (std::size_t i = 0; i < fast.size(); ++i)
        EXPECT_DOUBLE_EQ(fast[i], (static_cast<double>(i) + 1) / 64) << i;
    EXPECT_EQ(slow, (std::vector<double>{7.0 / 64, 14.0 / 64, 21.0 / 64, 28.0 / 64, 35.0 / 64,
                                         42.0 / 64, 49.0 / 64, 56.0 / 64, 63.0 / 64}));
    // Nothing moves: frames of seven ticks, after the first frame of three.
    EXPECT_LE(wakes, 64 / FramePacer::kStepTicks + 2);
    EXPECT_GE(wakes, 64 / FramePacer::kStepTicks - 1);
}

TEST(FramePacer, FramesShortenWhileSomethingMovesOnMostTicksAndLengthenWhenItStops) {
    PacedRuntime p;
    std::vector<double> fast;
    TimerControl& t = p.timer(1, fast);
    int ticks = 0;
    bool rising = true;
    t.Timer = [&] {
        ++ticks;
        if (rising) p.form.setTop(p.form.Top() - 20);  // moves on every tick
    };
    EXPECT_GE(p.runFor(1.0), 64 / FramePacer::kMotionTicks - 1);
    EXPECT_EQ(p.pacer.frameTicks(), FramePacer::kMotionTicks);
    rising = false;
    const int still = p.runFor(1.0);
    EXPECT_LE(still, 64 / FramePacer::kStepTicks + 2);
    EXPECT_EQ(p.pacer.frameTicks(), FramePacer::kStepTicks);
    EXPECT_GE(ticks, 2 * 64 - FramePacer::kStepTicks);  // no tick is lost either way
}

TEST(FramePacer, StepsPacedAtATenthOfASecondKeepLongFramesAndComeOncePerFrame) {
    PacedRuntime p;
    std::vector<double> seen;
    TimerControl& t = p.timer(1, seen);
    // Two windows stepping every 0.1 s on different ticks, as the card and a picture do.
    double lastA = -1, lastB = -0.05;
    std::vector<int> stepsPerFrame;
    t.Timer = [&] {
        const double now = p.clock.now() - 1000.0;
        if (now >= lastA + 0.1) {
            lastA = now;
            p.form.setLeft(p.form.Left() + 15);
            if (!stepsPerFrame.empty()) ++stepsPerFrame.back();
        }
        if (now >= lastB + 0.1) {
            lastB = now;
            p.form.setTop(p.form.Top() + 15);
        }
    };
    p.runFor(0.5);
    ASSERT_EQ(p.pacer.frameTicks(), FramePacer::kStepTicks);
    for (int frame = 0; frame < 20; ++frame) {
        stepsPerFrame.push_back(0);
        const auto wake = p.pacer.nextWake();
        ASSERT_TRUE(wake);
        p.real.set(*wake + 0.0004);
        p.pacer.runDue();
    }
    EXPECT_EQ(stepsPerFrame, std::vector<int>(20, 1));  // even motion: one step every frame
    EXPECT_EQ(p.pacer.frameTicks(), FramePacer::kStepTicks);
}

TEST(FramePacer, ATimerArmedBetweenFramesCountsFromTheClockItRead) {
    PacedRuntime p;
    std::vector<double> fast, late;
    p.timer(1, fast);
    p.runFor(0.5);
    // A click between two frames reads real time; ticks later in the frame never read less.
    const double clicked = p.clock.now() - 1000.0;
    TimerControl& t = p.timer(250, late);
    p.runFor(0.5);
    ASSERT_FALSE(late.empty());
    EXPECT_GE(late[0], clicked + 0.25);
    EXPECT_LT(late[0], clicked + 0.25 + 1.0 / 64);
    for (std::size_t i = 1; i < fast.size(); ++i) EXPECT_GT(fast[i], fast[i - 1]);
    t.setEnabled(false);
}

TEST(FramePacer, AStallFiresOverdueTimersOnceInsteadOfCatchingUpEveryTick) {
    PacedRuntime p;
    std::vector<double> fast;
    p.timer(1, fast);
    p.runFor(0.25);
    const std::size_t before = fast.size();
    p.real.set(p.real.now() + 5.0);  // the machine slept
    p.pacer.runDue();
    EXPECT_LE(fast.size() - before, static_cast<std::size_t>(FramePacer::kCatchUp * 64) + 1);
    EXPECT_NEAR(fast.back(), p.real.now() - 1000.0, 1.0 / 64);
}

TEST(FramePacer, StopsWakingWhenNoTimerIsArmedOrTheProgramHasEnded) {
    PacedRuntime p;
    EXPECT_FALSE(p.pacer.nextWake());
    std::vector<double> seen;
    TimerControl& t = p.timer(10, seen);
    t.Timer = [&] { p.runtime.End(); };
    p.runFor(1.0);
    EXPECT_FALSE(p.pacer.nextWake());
}

}  // namespace
}  // namespace xmascard
