// SPDX-License-Identifier: MIT
#include "app/start_card.h"

#include "app/audio_choice.h"
#include "app/name_fonts.h"
#include "platform/host.h"
#include "platform/io/files.h"
#include "platform/runtime.h"
#include "show/program.h"

namespace xmascard {

std::unique_ptr<media::AudioEngine> openCardAudio(
    const CommandLine& line,
    const std::function<media::SoundSystem(const std::string& device)>& soundSystem) {
    const AudioChoice choice = audioChoiceFor(Environ("XMASCARD_AUDIO"));
    return media::AudioEngine::create(choice.silent || line.silent
                                          ? media::AudioEngine::Output::Silent
                                          : media::AudioEngine::Output::Device,
                                      {.loading = media::Loading::Background},
                                      soundSystem(choice.device));
}

int startCard(const CommandLine& line, Host& host, media::AudioEngine& audio, Clock& clock,
              const std::function<int(Runtime&)>& loop) {
    if (const int refused = refuseUndrawableNames(line.names, host.graphics())) return refused;
    Runtime runtime(clock, audio, host);
    Program program(runtime, line.names);
    program.start();
    const int status = loop(runtime);
    audio.close();
    return status;
}

}  // namespace xmascard
