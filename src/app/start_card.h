// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/command_line.h"
#include "platform/media/audio_engine.h"

namespace xmascard {

class Clock;
class Host;
class Runtime;

// The card's sound: none at all with --silent or XMASCARD_AUDIO=none; else the system's
// devices (XMASCARD_AUDIO may name one), which open, and load the sound files, on threads of
// their own and join the show when they are ready, so that nothing a sound server or the
// disk does holds back the window.
std::unique_ptr<media::AudioEngine> openCardAudio(
    const CommandLine& line,
    const std::function<media::SoundSystem(const std::string& device)>& soundSystem);

// Plays the card on a desktop until it ends, the same on every system: names that no font
// on it draws are refused (status 2, one line); else the runtime and the show are made and
// started, `loop` runs the host's event loop until the card ends and gives the status, and
// the sound then fades out instead of breaking off, whatever ended the card.
int startCard(const CommandLine& line, Host& host, media::AudioEngine& audio, Clock& clock,
              const std::function<int(Runtime&)>& loop);

}  // namespace xmascard
