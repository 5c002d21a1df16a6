// SPDX-License-Identifier: MIT
// How long it takes to cut a window to its picture: the bulk scan of the drawing against the
// scan through single-pixel reads, on the cherub frame (150 x 163) and the tree (308 x 398).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "backends/qt/qt_graphics.h"
#include "layout/assets.h"
#include "platform/controls/picture_box.h"
#include "platform/form.h"
#include "platform/headless_host.h"
#include "platform/media/audio_engine.h"
#include "platform/runtime.h"
#include "platform/time/clock.h"
#include "shaping/region_from_picture.h"

namespace {

using namespace xmascard;

struct Fixture {
    VirtualClock clock;
    std::unique_ptr<media::AudioEngine> audio =
        media::AudioEngine::create(media::AudioEngine::Output::Silent);
    QtGraphics graphics;
    HeadlessHost host{graphics, {}, ""};
    Runtime runtime{clock, *audio, host};
    Form form{runtime, FormDesign{}, {}};
    PictureBox box{form, "Picture", -1, nullptr};

    explicit Fixture(const char* picture) {
        box.setScaleMode(ScaleMode::Pixels);
        box.setAutoRedraw(true);
        box.setAutoSize(true);
        box.setBorderStyle(BorderStyle::None);
        box.setPicture(runtime.loadPicture(picture));
    }
};

const char* pictureFor(int which) { return which == 0 ? assets::kCherub[0] : assets::kTree; }

void BM_BulkScan(benchmark::State& state) {
    Fixture f(pictureFor(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(RegionFromPicture(f.box));
    state.SetLabel(state.range(0) == 0 ? "150x163 cherub" : "308x398 tree");
}

void BM_PixelReads(benchmark::State& state) {
    Fixture f(pictureFor(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(RegionFromPictureByPixelReads(f.box));
    state.SetLabel(state.range(0) == 0 ? "150x163 cherub" : "308x398 tree");
}

BENCHMARK(BM_BulkScan)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PixelReads)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
