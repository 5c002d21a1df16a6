// SPDX-License-Identifier: MIT
// The media engine's cost: CPU time of the mixer per second of audio, rendered offline,
// for the card's worst moment (the music and the bells playing together), and for each
// alone. The counter cpu_percent_of_core is that time as a share of one core in real
// time; peak_rss_MB is the peak resident memory of the whole benchmark process.
//   build/bench/media_mix_bench

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../tests/platform/media/support/smf_builder.h"
#include "platform/media/audio_engine.h"
#include "platform/media/fluidsynth/fluid_music.h"

namespace {

using xmascard::media::AudioEngine;

std::string bellsPath() {
    return (std::filesystem::path(__FILE__).parent_path().parent_path() / "assets" / "sounds" /
            "Bells.mp3")
        .string();
}

std::string musicPath() {
    static const std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() /
                         ("xmascard-bench-" + std::to_string(getpid()) + ".mid"))
                            .string();
        auto bytes = xmascard::media::testing::cardLikePiece();
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return p;
    }();
    return path;
}

double threadCpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double peakRssMegabytes() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Renders one second of the mix per iteration, in 512-frame buffers as a sound card
// would pull it. The music starts 27 s in at -1000 and loops; the bells loop at 0.
void mixOneSecond(benchmark::State& state, bool music, bool bells) {
    auto engine = AudioEngine::create(
        AudioEngine::Output::Offline, {},
        {std::make_shared<xmascard::media::FluidMusic>(AudioEngine::kSampleRate), {}, {}});
    auto musicPlayer = engine->createPlayer();
    auto bellsPlayer = engine->createPlayer();
    musicPlayer->setPlayCount(0);
    bellsPlayer->setPlayCount(0);
    musicPlayer->setVolume(xmascard::media::Volume(-1000));
    if (music) {
        musicPlayer->setFileName(musicPath());
        musicPlayer->setCurrentPosition(27.0);
    }
    if (bells) bellsPlayer->setFileName(bellsPath());
    constexpr int kBuffer = 512;
    std::vector<float> buffer(2 * kBuffer);
    double cpu = 0;
    for (auto _ : state) {
        const double start = threadCpuSeconds();
        for (int done = 0; done < AudioEngine::kSampleRate; done += kBuffer) {
            engine->render(buffer.data(), std::min(kBuffer, AudioEngine::kSampleRate - done));
        }
        cpu += threadCpuSeconds() - start;
        benchmark::DoNotOptimize(buffer.data());
    }
    const double seconds = static_cast<double>(state.iterations());
    state.counters["cpu_percent_of_core"] = 100.0 * cpu / seconds;
    state.counters["peak_rss_MB"] = peakRssMegabytes();
    state.SetLabel("per second of audio");
}

void BM_MixMusicAndBells(benchmark::State& state) { mixOneSecond(state, true, true); }
void BM_MixMusicOnly(benchmark::State& state) { mixOneSecond(state, true, false); }
void BM_MixBellsOnly(benchmark::State& state) { mixOneSecond(state, false, true); }

BENCHMARK(BM_MixMusicAndBells)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_MixMusicOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_MixBellsOnly)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(musicPath());
    return 0;
}
