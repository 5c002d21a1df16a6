// SPDX-License-Identifier: MIT
#include "platform/media/fluidsynth/fluid_support.h"

#include <glib.h>

#include <mutex>

namespace xmascard::media {
namespace {

thread_local std::string* activeCapture = nullptr;
thread_local FluidErrorCapture* activeOwner = nullptr;

void logToCapture(int level, const char* message, void*) {
    if (activeCapture != nullptr && message != nullptr && level <= FLUID_WARN) {
        // Errors win over warnings: keep an error once one is seen.
        if (level <= FLUID_ERR || activeCapture->empty()) *activeCapture = message;
    }
}

// FluidSynth hands a file its own loader refuses to libinstpatch's DLS loader, whose
// assertions print GLib CRITICAL lines. Those go where FluidSynth's messages go; FluidSynth's
// own error about the file, which comes after, is the one that is kept.
void logGlibToCapture(const gchar*, GLogLevelFlags, const gchar* message, gpointer) {
    if (activeCapture != nullptr && message != nullptr && activeCapture->empty())
        *activeCapture = message;
}

void installLogHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
            fluid_set_log_function(level, logToCapture, nullptr);
        }
        const auto levels = static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING |
                                                        G_LOG_LEVEL_MESSAGE | G_LOG_FLAG_FATAL |
                                                        G_LOG_FLAG_RECURSION);
        for (const char* domain : {static_cast<const char*>(nullptr), "libInstPatch"})
            g_log_set_handler(domain, levels, logGlibToCapture, nullptr);
    });
}

}  // namespace

FluidSettings makeFluidSettings(int sampleRate) {
    installLogHandlers();
    FluidSettings settings(new_fluid_settings(), delete_fluid_settings);
    fluid_settings_t* s = settings.get();
    fluid_settings_setnum(s, "synth.sample-rate", sampleRate);
    fluid_settings_setint(s, "synth.threadsafe-api", 0);
    fluid_settings_setint(s, "synth.lock-memory", 0);
    // A font's sample data is read preset by preset; the synthesizers load fonts cut down to
    // the presets their piece plays and keep them all (memory_sound_font.h).
    fluid_settings_setint(s, "synth.dynamic-sample-loading", 1);
    // 48 voices: the card's music rendered with 64 differs from it by -41 dB (only tails
    // nobody hears are cut), and the synthesis costs a sixth less.
    fluid_settings_setint(s, "synth.polyphony", 48);
    fluid_settings_setint(s, "synth.cpu-cores", 1);
    fluid_settings_setint(s, "synth.midi-channels", 16);
    fluid_settings_setint(s, "synth.audio-channels", 1);
    fluid_settings_setint(s, "synth.audio-groups", 1);
    // For FluidSynth's own drivers (ALSA): about 70 ms of buffer, few wake-ups, volume
    // changes still heard at once.
    fluid_settings_setint(s, "audio.period-size", 1024);
    fluid_settings_setint(s, "audio.periods", 3);
    fluid_settings_setstr(s, "audio.pulseaudio.media-role", "music");
    return settings;
}

FluidErrorCapture::FluidErrorCapture() : previous_(activeOwner) {
    installLogHandlers();
    activeOwner = this;
    activeCapture = &message_;
}

FluidErrorCapture::~FluidErrorCapture() {
    activeOwner = previous_;
    activeCapture = previous_ != nullptr ? &previous_->message_ : nullptr;
}

std::string FluidErrorCapture::last(const std::string& fallback) const {
    return message_.empty() ? fallback : message_;
}

}  // namespace xmascard::media
