// SPDX-License-Identifier: MIT
// Plays files through a Device engine for a while, for checking the sound card path by
// hand (it is no test: a test cannot count on a sound server).
//   xmascard_media_play SECONDS FILE[@VOLUME[@POSITION]] ...
// Example: xmascard_media_play 6 mm.mid@-400@27 Bells.mp3@0

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/media/audio_engine.h"
#include "platform/media/linux/linux_sound.h"
#include "platform/media/linux/linux_sound.h"

int main(int argc, char** argv) {
    using xmascard::media::AudioEngine;
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SECONDS FILE[@VOLUME[@POSITION]] ...\n", argv[0]);
        return 2;
    }
    const double seconds = std::atof(argv[1]);
    auto engine = AudioEngine::create(AudioEngine::Output::Device, {}, xmascard::media::linuxSoundSystem());
    std::printf("output: %s\n",
                engine->output() == AudioEngine::Output::Device ? "device" : "silent");
    std::vector<std::unique_ptr<xmascard::media::Player>> players;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        std::string file = arg.substr(0, arg.find('@'));
        auto player = engine->createPlayer();
        std::size_t at = arg.find('@');
        if (at != std::string::npos) {
            player->setVolume(xmascard::media::Volume(std::atol(arg.c_str() + at + 1)));
            std::size_t second = arg.find('@', at + 1);
            player->setFileName(file);
            if (second != std::string::npos)
                player->setCurrentPosition(std::atof(arg.c_str() + second + 1));
        } else {
            player->setFileName(file);
        }
        players.push_back(std::move(player));
    }
    std::printf("files loaded at engine time %.3f s\n", engine->time());
    const auto start = std::chrono::steady_clock::now();
    for (double waited = 0; waited < seconds; waited += 1.0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(std::min(1.0, seconds - waited)));
        std::printf("  at %.1f s: engine time %.3f s\n",
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                    engine->time());
    }
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("wall %.3f s, engine time %.3f s\n", wall, engine->time());
    for (std::size_t i = 0; i < players.size(); ++i) {
        std::printf("player %zu: %s at %.3f s of %.3f s, %s\n", i + 1,
                    players[i]->fileName().c_str(), players[i]->currentPosition(),
                    players[i]->duration(), players[i]->isPlaying() ? "playing" : "stopped");
    }
    for (auto& player : players) player->stop();
    return 0;
}
