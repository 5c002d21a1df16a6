// SPDX-License-Identifier: MIT
// Plays the card's two sounds together through an Offline engine with the SoundFont
// loaded: a MIDI piece shaped like the card's music at -1000 and the bells at full
// volume, 15 times in a row, for 45 s. Prints the peak resident memory of the process
// and fails when it reaches 26 MB: the presets the music plays, not the whole SoundFont.
//   xmascard_media_rss_probe BELLS.mp3 [MUSIC.mid]

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/media/audio_engine.h"
#include "platform/media/fluidsynth/fluid_music.h"
#include "support/smf_builder.h"

int main(int argc, char** argv) {
    using xmascard::media::AudioEngine;
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s BELLS.mp3 [MUSIC.mid]\n", argv[0]);
        return 2;
    }
    std::string music = argc > 2 ? argv[2] : "";
    if (music.empty()) {
        music = "/tmp/xmascard-rss-probe-" + std::to_string(getpid()) + ".mid";
        auto bytes = xmascard::media::testing::cardLikePiece();
        std::ofstream(music, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    auto engine = AudioEngine::create(
        AudioEngine::Output::Offline, {},
        {std::make_shared<xmascard::media::FluidMusic>(AudioEngine::kSampleRate), {}, {}});
    auto musicPlayer = engine->createPlayer();
    auto bellsPlayer = engine->createPlayer();
    musicPlayer->setFileName(music);
    musicPlayer->setCurrentPosition(27.0);
    musicPlayer->setVolume(xmascard::media::Volume(-1000));
    bellsPlayer->setPlayCount(15);
    bellsPlayer->setFileName(argv[1]);
    std::vector<float> buffer(2 * 1024);
    double peak = 0;
    for (int i = 0; i < 45 * 44100 / 1024; ++i) {
        engine->render(buffer.data(), 1024);
        for (float x : buffer) peak = std::max(peak, static_cast<double>(x < 0 ? -x : x));
    }
    if (argc <= 2) std::remove(music.c_str());
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    const double megabytes = usage.ru_maxrss / 1024.0;
    std::printf("peak resident memory: %.1f MB (budget 26 MB); mix peak %.3f; music at %.3f s\n",
                megabytes, peak, musicPlayer->currentPosition());
    if (peak <= 0.01) {
        std::printf("FAIL: the mix stayed silent\n");
        return 1;
    }
    return megabytes < 26.0 ? 0 : 1;
}
