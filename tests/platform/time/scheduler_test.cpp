// SPDX-License-Identifier: MIT
#include "platform/time/scheduler.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/controls/timer_control.h"
#include "platform/form.h"
#include "support/test_runtime.h"

namespace xmascard {
namespace {

struct Timers {
    testing::TestRuntime t{1000.0};
    Form form{t.runtime, FormDesign{}, {}};

    // A timer that records the clock at every tick.
    TimerControl& make(int interval, bool enabled, std::vector<double>& ticks) {
        owned.push_back(std::make_unique<TimerControl>(form, "T", -1, nullptr));
        TimerControl& timer = *owned.back();
        timer.setInterval(interval);
        timer.setEnabled(enabled);
        timer.Timer = [this, &ticks] { ticks.push_back(t.clock.now() - 1000.0); };
        return timer;
    }
    std::vector<std::unique_ptr<TimerControl>> owned;
};

TEST(Scheduler, OneMillisecondTimerFiresOncePerSystemTick) {
    Timers s;
    std::vector<double> ticks;
    s.make(1, true, ticks);
    s.t.loop.runUntil(1000.0 + 1.0);
    ASSERT_EQ(ticks.size(), 64u);
    for (std::size_t i = 1; i < ticks.size(); ++i)
        EXPECT_DOUBLE_EQ(ticks[i] - ticks[i - 1], 1.0 / 64);
}

TEST(Scheduler, IntervalsAreHonouredOnTheTickGrid) {
    struct Row {
        int interval;
        std::vector<double> expected;  // seconds after start, within 1.3 s
    };
    for (const Row& row :
         {Row{500, {0.5, 1.0}}, Row{300, {0.3125, 0.625, 0.9375, 1.25}}, Row{10, {}}}) {
        SCOPED_TRACE(row.interval);
        Timers s;
        std::vector<double> ticks;
        s.make(row.interval, true, ticks);
        s.t.loop.runUntil(1000.0 + 1.3);
        if (row.interval == 10) {
            EXPECT_EQ(ticks.size(), static_cast<std::size_t>(1.3 * 64));  // every tick
            continue;
        }
        ASSERT_EQ(ticks.size(), row.expected.size());
        for (std::size_t i = 0; i < ticks.size(); ++i) EXPECT_NEAR(ticks[i], row.expected[i], 1e-9);
    }
}

TEST(Scheduler, DisabledTimerNeverFires) {
    Timers s;
    std::vector<double> ticks, other;
    s.make(1, false, ticks);
    s.make(1, true, other);  // keeps the loop turning
    s.t.loop.runUntil(1000.0 + 2.0);
    EXPECT_TRUE(ticks.empty());
    EXPECT_FALSE(other.empty());
}

TEST(Scheduler, HandlersMaySwitchTimersAndDestroyThem) {
    Timers s;
    std::vector<double> first, second;
    TimerControl& a = s.make(1, true, first);
    TimerControl& b = s.make(1, false, second);
    a.Timer = [&] {
        first.push_back(s.t.clock.now());
        a.setEnabled(false);
        b.setEnabled(true);
    };
    b.Timer = [&] {
        second.push_back(s.t.clock.now());
        s.owned.clear();  // destroys both timers from inside a handler
    };
    s.t.loop.runUntil(1000.0 + 1.0);
    EXPECT_EQ(first.size(), 1u);
    EXPECT_EQ(second.size(), 1u);
    EXPECT_FALSE(s.t.runtime.scheduler().nextTick().has_value());
}

TEST(Scheduler, NothingFiresAfterTheEnd) {
    Timers s;
    std::vector<double> ticks;
    TimerControl& timer = s.make(1, true, ticks);
    timer.Timer = [&] {
        ticks.push_back(0);
        s.t.runtime.End();
    };
    EXPECT_TRUE(s.t.loop.runToEnd(1000.0 + 5.0));
    EXPECT_EQ(ticks.size(), 1u);
}

}  // namespace
}  // namespace xmascard
