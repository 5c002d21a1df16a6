// SPDX-License-Identifier: MIT
// The card's entry point in a web page: the names come from the link's fragment, the sound
// is rendered as the show's clock moves and played by the page, and the page's animation
// frames run the show. The page calls main once the visitor has opened the card.
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "app/link_names.h"
#include "app/start_card.h"
#include "backends/web/prerendered_music.h"
#include "backends/web/web_host.h"
#include "platform/media/audio_engine.h"
#include "platform/resources.h"
#include "platform/runtime.h"
#include "platform/time/clock.h"

// clang-format off
EM_JS(int, xmascard_link_fragment, (char* text, int size), {
    const hash = location.hash || "";
    stringToUTF8(hash, text, size);
    return lengthBytesUTF8(hash);
});
EM_JS(int, xmascard_sound_allowed, (), { return xmascardPage.soundAllowed() ? 1 : 0; });
// clang-format on

// A file the program carries, for the page: the closed card's front, which it shows while
// it waits for the visitor's click, and the fonts its live edits draw the names in.
extern "C" EMSCRIPTEN_KEEPALIVE const std::uint8_t* xmascard_embedded_file(const char* name,
                                                                           int* size) {
    const auto file = xmascard::embeddedFile(name);
    *size = file ? static_cast<int>(file->size()) : 0;
    return file ? file->data() : nullptr;
}

int main() {
    using namespace xmascard;
    // Everything the show runs on outlives main: the page's event loop carries on after it.
    static WebHost host;
    std::string fragment(4096, '\0');  // longer than two names of any length allowed
    fragment.resize(std::min<int>(xmascard_link_fragment(fragment.data(), 4096), 4095));
    CommandLine line;
    line.names = namesFromLink(fragment, host.graphics(), stderr);

    media::SoundSystem sound;
    sound.music = prerenderedMusic();
    static auto audio =
        media::AudioEngine::create(xmascard_sound_allowed() ? media::AudioEngine::Output::Offline
                                                            : media::AudioEngine::Output::Silent,
                                   {.loading = media::Loading::Waited}, std::move(sound));
    static MonotonicClock realClock;
    static TickClock clock(realClock);
    return startCard(line, host, *audio, clock,
                     [&](Runtime& runtime) -> int { host.run(runtime, clock, audio.get()); });
}
