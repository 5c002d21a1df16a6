// SPDX-License-Identifier: MIT
// libFuzzer target: the SoundFont check, and the presets cut out of what it lets through and
// loaded into a synthesizer, on arbitrary bytes given as the SoundFont. Any crash, leak, input
// slower than the per-input limit, or GLib message that escapes to standard error is a
// finding. With XMASCARD_FUZZ_STRICT set, a file the check lets through but FluidSynth
// refuses is one too: the check should have caught it.

#include <glib.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/media/fluidsynth/fluid_support.h"
#include "platform/media/fluidsynth/fluid_synthesizer.h"
#include "platform/media/fluidsynth/sound_font.h"
#include "platform/media/fluidsynth/sound_font_check.h"

namespace {

void escaped(const gchar* domain, GLogLevelFlags, const gchar* message, gpointer) {
    std::fprintf(stderr, "GLib message escaped: %s: %s\n", domain ? domain : "", message);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace xmascard::media;
    static const FluidSettings settings = makeFluidSettings(22050);
    static const bool strict = std::getenv("XMASCARD_FUZZ_STRICT") != nullptr;
    static const int fd = [] {
        g_log_set_default_handler(escaped, nullptr);
        return memfd_create("font.sf2", 0);
    }();
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    const bool accepted = checkSoundFontFile(path).empty();
    auto loaded = SoundFont::load(settings, path);
    if (!loaded.ok() && loaded.error().empty()) std::abort();
    if (!loaded.ok()) return 0;
    // A piano and drums, an organ from a bank that may be missing, and a kit.
    auto made = FluidSynthesizer::create(settings, *loaded.value(), {{8, 19}, {128, 25}});
    if (strict && accepted && !made.ok()) {
        std::fprintf(stderr, "the check let through what FluidSynth refused: %s\n",
                     made.error().c_str());
        std::abort();
    }
    if (!made.ok() && made.error().empty()) std::abort();
    return 0;
}
