// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

#include "platform/color.h"
#include "show/program.h"
#include "support/test_runtime.h"

namespace xmascard {
namespace {

// The clock starts at 0, as the program's does.
constexpr double kStart = 0;

// What the show looked like after one tick of the runtime.
struct Frame {
    double time;
    float seasons, merry, happy, cardTop;
    bool snow, randomLight, blink, selective, shimmer, closing, animation;
    long musicVolume;
    bool bellsPlaying;
    std::string bellsFile;
};

// Runs the whole show headless under the virtual clock and keeps a frame per tick, and the
// frames of the animation's working ticks (those that moved a picture or the card).
class WholeShow : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { show_ = new Run; }
    static void TearDownTestSuite() { delete show_; }

    struct Run {
        testing::TestRuntime t{kStart};
        Program program{t.runtime};
        FormTree& tree = *program.formTree;
        std::vector<Frame> frames;
        std::vector<Frame> working;  // working tick n is working[n - 1]
        std::vector<std::vector<Color>> lightFill;
        std::vector<std::vector<Color>> lightBorder;
        std::vector<std::vector<bool>> lightVisible;
        std::vector<std::array<float, FormTree::kFlakeCount>> flakeX, flakeY;
        std::vector<double> snowSteps;
        // Closing sequence observations.
        double handOver = 0, placement = 0, musicHalted = 0, swapped = 0, ended = 0;
        int placements = 0;
        std::vector<std::pair<double, float>> caption;
        std::vector<long> closingVolumes;
        double musicRestartPosition = -1;
        double wallSeconds = 0;

        Run() {
            program.start();
            const auto began = std::chrono::steady_clock::now();
            bool wasPlaced = false;
            observe(wasPlaced);  // the state before the first tick
            t.loop.runToEnd(kStart + 200, [this, &wasPlaced] { observe(wasPlaced); });
            ended = t.clock.now() - kStart;
            wallSeconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
            std::printf("whole show: %.1f s of clock in %.3f s of wall time\n", ended, wallSeconds);
        }

        void observe(bool& wasPlaced) {
            Form2& card = *program.form2;
            Frame f{t.clock.now() - kStart,
                    tree.PicSeasonsGreating.Left(),
                    tree.PicMerryChristmas.Left(),
                    tree.PicHappyNewYear.Top(),
                    card.Top(),
                    tree.TimerSnow.Enabled(),
                    tree.TimerRandomLight.Enabled(),
                    tree.TimerLightOnOff.Enabled(),
                    tree.TimerSelectiveLight.Enabled(),
                    tree.TimerShapeTree.Enabled(),
                    tree.TimerEnd.Enabled(),
                    tree.TimerAnimation.Enabled(),
                    tree.MediaPlayer1.Volume().hundredths(),
                    tree.MediaPlayer2.playing(),
                    tree.MediaPlayer2.FileName()};
            const Frame* last = frames.empty() ? nullptr : &frames.back();
            if (last && (f.seasons != last->seasons || f.merry != last->merry ||
                         f.happy != last->happy || f.cardTop != last->cardTop))
                working.push_back(f);
            if (last && last->animation && !f.animation) handOver = f.time;
            if (!last || tree.flakeX() != flakeX.back()) {
                flakeX.push_back(tree.flakeX());
                flakeY.push_back(tree.flakeY());
                snowSteps.push_back(f.time);
            }
            std::vector<Color> fill, border;
            std::vector<bool> visible;
            for (int i = 1; i <= FormTree::kLightCount; ++i) {
                fill.push_back(tree.PCircle(i).FillColor());
                border.push_back(tree.PCircle(i).BorderColor());
                visible.push_back(tree.PCircle(i).Visible());
            }
            lightFill.push_back(fill);
            lightBorder.push_back(border);
            lightVisible.push_back(visible);
            if (f.closing) observeClosing(f, wasPlaced);
            frames.push_back(f);
        }

        void observeClosing(const Frame& f, bool& wasPlaced) {
            Form2& card = *program.form2;
            const bool placed = program.form3->Left() == tree.Left() + 500;
            if (placed && !wasPlaced) {
                ++placements;
                placement = f.time;
                musicRestartPosition = tree.MediaPlayer1.CurrentPosition();
            }
            wasPlaced = placed;
            if (placed && musicHalted == 0 && !tree.MediaPlayer1.playing()) musicHalted = f.time;
            if (caption.empty() || caption.back().second != card.Label4.Left()) {
                caption.emplace_back(f.time, card.Label4.Left());
                closingVolumes.push_back(tree.MediaPlayer1.Volume().hundredths());
            }
            if (swapped == 0 && program.form4.loaded() && program.form4->Visible())
                swapped = f.time;
        }
    };

    static Run* show_;
};

WholeShow::Run* WholeShow::show_ = nullptr;

TEST_F(WholeShow, FollowsTheWorkedTimelineForTheTree) {
    const Run& r = *show_;
    const auto& w = r.working;
    ASSERT_GT(w.size(), 318u);
    // Working tick n is w[n - 1]. The first works at once, on the first tick of the system:
    // nothing came before it to wait for.
    EXPECT_EQ(w[0].time, 1.0 / 64);
    EXPECT_EQ(w[0].seasons, -4920);
    EXPECT_FALSE(w[55].snow);
    EXPECT_TRUE(w[56].snow) << "snow starts on tick 57";
    EXPECT_EQ(w[56].seasons, -440);
    EXPECT_EQ(w[124].merry, -2500);
    EXPECT_EQ(w[125].merry, -2420) << "Merry Christmas moves from tick 126";
    EXPECT_TRUE(w[215].snow);
    EXPECT_FALSE(w[216].snow) << "snow stops on tick 217";
    EXPECT_FALSE(w[218].blink);
    EXPECT_TRUE(w[219].blink) << "phase C and the bells on tick 220";
    EXPECT_EQ(w[219].happy, -5380);
    EXPECT_EQ(w[219].bellsFile, r.tree.bellsPath());
    EXPECT_FALSE(w[316].selective);
    EXPECT_TRUE(w[317].selective) << "phase D on tick 318";
    EXPECT_EQ(w[317].happy, 6380);
    EXPECT_EQ(r.frames.back().seasons, 5160);
    EXPECT_EQ(r.frames.back().merry, 5180);
    // Working ticks come no closer than 0.1 s.
    for (std::size_t i = 1; i < w.size(); ++i) EXPECT_GE(w[i].time - w[i - 1].time, 0.1 - 1e-9);
}

TEST_F(WholeShow, RingsTheBellsOnceOverLoweredMusic) {
    const Run& r = *show_;
    int starts = 0, stops = 0;
    for (std::size_t i = 1; i < r.frames.size(); ++i) {
        const Frame &a = r.frames[i - 1], &b = r.frames[i];
        if (!a.bellsPlaying && b.bellsPlaying) {
            ++starts;
            EXPECT_EQ(b.musicVolume, -1000);
        }
        if (a.bellsPlaying && !b.bellsPlaying) {
            ++stops;
            EXPECT_EQ(b.musicVolume, -400);
            EXPECT_TRUE(b.selective);
        }
    }
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(r.tree.MediaPlayer2.Volume(), media::kFullVolume);
}

TEST_F(WholeShow, SwitchesTheEffectTimersAtTheirMoments) {
    const Run& r = *show_;
    const auto& w = r.working;
    EXPECT_TRUE(w[0].randomLight);
    EXPECT_TRUE(w[0].shimmer);
    EXPECT_FALSE(w[219].randomLight);
    EXPECT_FALSE(w[219].shimmer);
    EXPECT_FALSE(w[317].blink);
    // At the hand-over: closing on, the animation and the group cycle off, snow and shimmer on.
    const auto after =
        std::find_if(r.frames.begin(), r.frames.end(), [](const Frame& f) { return f.closing; });
    ASSERT_NE(after, r.frames.end());
    EXPECT_FALSE(after->animation);
    EXPECT_FALSE(after->selective);
    EXPECT_TRUE(after->snow);
    EXPECT_TRUE(after->shimmer);
    EXPECT_EQ(r.tree.TimerShapeTree.Interval(), 300);
    EXPECT_EQ(after->cardTop, r.tree.Top() + 1000);
}

TEST_F(WholeShow, LightsFollowTheirThreePatterns) {
    const Run& r = *show_;
    for (std::size_t i = 0; i < r.frames.size(); ++i) {
        const Frame& f = r.frames[i];
        for (int l = 0; l < FormTree::kLightCount; ++l) {
            const Color fill = r.lightFill[i][l];
            if (f.randomLight && fill != r.lightFill[0][l]) {
                // A recoloured light: one of the bright palette colours, outline alike.
                bool bright = false;
                for (int c = 7; c <= 15; ++c) bright |= fill == QBColor(c);
                EXPECT_TRUE(bright) << "light " << l + 1;
                EXPECT_EQ(fill, r.lightBorder[i][l]);
            }
            if (f.blink && i > 0 && !r.lightVisible[i - 1][l] && r.lightVisible[i][l]) {
                EXPECT_EQ(fill, QBColor(4));  // a blinking light comes back dark red
            }
        }
        if (f.blink) {
            // All 24 lights blink together.
            for (int l = 1; l < FormTree::kLightCount; ++l)
                EXPECT_EQ(r.lightVisible[i][l], r.lightVisible[i][0]);
        }
    }
}

TEST_F(WholeShow, GroupCycleDarkensOneGroupAtATime) {
    const Run& r = *show_;
    const auto first =
        std::find_if(r.frames.begin(), r.frames.end(), [](const Frame& f) { return f.selective; });
    ASSERT_NE(first, r.frames.end());
    // The group timer first fires one system tick after the animation switched it on.
    double s = (first + 1)->time;
    const auto groupLit = [&](std::size_t i, int g) {
        bool all = true;
        for (int l = g * 8; l < g * 8 + 8; ++l) all &= r.lightVisible[i][l];
        return all;
    };
    const auto groupDark = [&](std::size_t i, int g) {
        bool none = true;
        for (int l = g * 8; l < g * 8 + 8; ++l) none &= !r.lightVisible[i][l];
        return none;
    };
    int cycles = 0;
    for (std::size_t i = first - r.frames.begin(); i < r.frames.size() && r.frames[i].selective;
         ++i) {
        const double t = r.frames[i].time - s;
        // The bounds are strict: a tick exactly on one changes nothing.
        if (t <= 1) {
            EXPECT_TRUE(groupLit(i, 0) && groupLit(i, 1));
        } else if (t <= 3) {
            EXPECT_TRUE(groupDark(i, 0) && groupLit(i, 1) && groupLit(i, 2)) << t;
        } else if (t <= 5) {
            EXPECT_TRUE(groupLit(i, 0) && groupDark(i, 1) && groupLit(i, 2)) << t;
        } else if (t > 5) {
            // The first tick after 5 s darkens group C and starts the next cycle at once.
            EXPECT_TRUE(groupLit(i, 1) && groupDark(i, 2)) << t;
            EXPECT_LT(t, 5 + 1.0 / 64 + 1e-9);
            s = r.frames[i].time;
            ++cycles;
        }
    }
    EXPECT_GE(cycles, 2);
}

TEST_F(WholeShow, SnowStepsWrapAtTheEdges) {
    const Run& r = *show_;
    ASSERT_GT(r.snowSteps.size(), 100u);
    const float width = r.tree.PictureTree.ScaleWidth(), height = r.tree.PictureTree.ScaleHeight();
    int wraps = 0;
    for (std::size_t s = 1; s < r.flakeX.size(); ++s) {
        EXPECT_GE(r.snowSteps[s] - r.snowSteps[s - 1], 0.1 - 1e-9);
        for (int i = 0; i < FormTree::kFlakeCount; ++i) {
            for (const auto& [before, after, limit] :
                 {std::tuple{r.flakeX[s - 1][i], r.flakeX[s][i], width},
                  std::tuple{r.flakeY[s - 1][i], r.flakeY[s][i], height}}) {
                if (after == -5 && before > limit - 15) {
                    ++wraps;  // left at the far edge, back in at -5
                    continue;
                }
                EXPECT_GE(after - before, 0);
                EXPECT_LE(after - before, 14.001f);
                EXPECT_LE(after, limit);
            }
        }
    }
    EXPECT_GT(wraps, 100);
}

TEST_F(WholeShow, ClosesOnItsOwnTimeline) {
    Run& r = *show_;
    const double t0 = r.handOver;
    ASSERT_GT(t0, 0);
    EXPECT_EQ(r.placements, 1);
    EXPECT_GT(r.placement, t0 + 10);
    EXPECT_LT(r.placement, t0 + 10 + 1.0 / 32);
    EXPECT_FALSE(r.tree.Visible());
    EXPECT_NEAR(r.musicRestartPosition, 1.0, 0.02);
    // The restarted music is halted when it reaches 12 s, about 11 s after the placement.
    EXPECT_NEAR(r.musicHalted - r.placement, 11.0, 0.05);
    // The caption: 30 steps from -1800 to 300, the first after 12 s, 0.1 s or more apart,
    // the volume falling by 30 a step from -400 to -1300.
    ASSERT_EQ(r.caption.size(), 31u);
    EXPECT_EQ(r.caption.front().second, -1800);
    EXPECT_EQ(r.caption.back().second, 300);
    EXPECT_GT(r.caption[1].first, t0 + 12);
    for (std::size_t i = 2; i < r.caption.size(); ++i)
        EXPECT_GE(r.caption[i].first - r.caption[i - 1].first, 0.1 - 1e-9);
    EXPECT_EQ(r.closingVolumes[1], -430);
    EXPECT_EQ(r.closingVolumes.back(), -1300);
    EXPECT_GT(r.swapped, t0 + 25);
    EXPECT_LT(r.swapped, t0 + 25.2);
    EXPECT_FALSE(r.program.form2->Visible());
    EXPECT_FALSE(r.program.form3->Visible());
    EXPECT_GT(r.ended, t0 + 28);
    EXPECT_LT(r.ended, t0 + 28.2);
    EXPECT_TRUE(r.t.runtime.ended());
}

TEST_F(WholeShow, KeepsTheGreetingPaintedOnTheTree) {
    const Run& r = *show_;
    for (int i = 1; i <= FormTree::kLightCount; ++i) EXPECT_FALSE(r.tree.PCircle(i).Visible());
    // The tree's picture now carries Seasons Greetings at (75, 110).
    const Picture& greeting = r.tree.PicSeasonsGreating.picture();
    const Picture& tree = r.tree.PictureTree.picture();
    int same = 0;
    for (int y = 0; y < greeting.height(); y += 7)
        for (int x = 0; x < greeting.width(); x += 7)
            same += tree.pixel(75 + x, 110 + y) == greeting.pixel(x, y);
    EXPECT_GT(same, 0.95 * (greeting.width() / 7 + 1) * (greeting.height() / 7 + 1));
}

}  // namespace
}  // namespace xmascard
