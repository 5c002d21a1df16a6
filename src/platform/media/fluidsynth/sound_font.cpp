// SPDX-License-Identifier: MIT
#include "platform/media/fluidsynth/sound_font.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/media/fluidsynth/sound_font_check.h"
#include "platform/media/midi_source.h"

namespace xmascard::media {
namespace {

constexpr long long kSmallSoundFontBytes = 40LL * 1024 * 1024;

const char* const kWellKnown[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",        "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",          "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf3/MuseScore_General.sf3", "/usr/share/soundfonts/default.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2",        "/usr/share/sounds/sf2/FluidR3_GS.sf2",
};

// The size of a regular file; -1 with the cause when the path names none.
long long fileSize(const std::string& path, std::string& why) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        why = std::strerror(errno);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        why = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : "not a regular file";
        return -1;
    }
    return static_cast<long long>(info.st_size);
}

}  // namespace

std::vector<std::string> SoundFont::candidates(fluid_settings_t* settings,
                                               const std::optional<std::string>& chosen) {
    if (chosen) return {*chosen};
    std::vector<std::string> list;
    char* fluidDefault = nullptr;
    if (fluid_settings_dupstr(settings, "synth.default-soundfont", &fluidDefault) == FLUID_OK &&
        fluidDefault != nullptr) {
        list.emplace_back(fluidDefault);
        fluid_free(fluidDefault);
    }
    for (const char* path : kWellKnown) {
        if (std::find(list.begin(), list.end(), path) == list.end()) list.emplace_back(path);
    }
    return list;
}

Result<std::shared_ptr<SoundFont>> SoundFont::load(const FluidSettings& settings,
                                                   const std::optional<std::string>& chosen) {
    FluidErrorCapture capture;
    std::vector<std::string> list = candidates(settings.get(), chosen);
    double sampleRate = 0;
    fluid_settings_getnum(settings.get(), "synth.sample-rate", &sampleRate);
    FluidSettings hostSettings = makeFluidSettings(static_cast<int>(sampleRate));
    fluid_settings_setint(hostSettings.get(), "synth.midi-channels", kHostChannels);
    std::string lastError;
    for (bool smallOnly : {true, false}) {
        for (const std::string& path : list) {
            std::string why;
            const long long size = fileSize(path, why);
            // Of the usual places only those that hold a file count; a chosen file must.
            if (size < 0 && chosen) lastError = path + ": " + why;
            if (size < 0 || (smallOnly != (size <= kSmallSoundFontBytes))) continue;
            std::string problem = checkSoundFontFile(path);
            if (!problem.empty()) {
                lastError = path + ": " + problem;
                continue;
            }
            fluid_synth_t* host = new_fluid_synth(hostSettings.get());
            if (host == nullptr) continue;
            int id = fluid_synth_sfload(host, path.c_str(), 0);
            fluid_sfont_t* sfont = id >= 0 ? fluid_synth_get_sfont_by_id(host, id) : nullptr;
            if (sfont != nullptr) {
                std::shared_ptr<SoundFont> font(new SoundFont(hostSettings, host, sfont, path));
                // What a reset selects: the piano, and the standard kit on channel 10.
                font->hold(0, 0);
                font->hold(MidiSource::kPercussionBank, 0);
                return Result<std::shared_ptr<SoundFont>>::success(std::move(font));
            }
            lastError = capture.last(path + ": cannot be loaded");
            delete_fluid_synth(host);
        }
    }
    if (chosen)
        return Result<std::shared_ptr<SoundFont>>::failure(
            "the SoundFont XMASCARD_SOUNDFONT names cannot be used (" + lastError +
            "); name a General MIDI SoundFont there, or unset it for the installed one");
    std::string message = "no General MIDI SoundFont found";
    if (!lastError.empty()) message += " (" + lastError + ")";
    message += "; install timgm6mb-soundfont or name one with XMASCARD_SOUNDFONT";
    return Result<std::shared_ptr<SoundFont>>::failure(message);
}

SoundFont::~SoundFont() { delete_fluid_synth(host_); }

bool SoundFont::hold(int bank, int program) {
    const auto exists = [this](int b, int p) { return fluid_sfont_get_preset(sfont_, b, p); };
    // As a program change falls back: the standard kit, or the bank 0 instrument, or the
    // first one.
    if (!exists(bank, program)) {
        if (bank != MidiSource::kPercussionBank) bank = 0;
        if (!exists(bank, program)) program = 0;
        if (!exists(bank, program)) return false;
    }
    for (int channel = 0; channel < nextChannel_; ++channel) {
        int id = 0, heldBank = 0, heldProgram = 0;
        fluid_synth_get_program(host_, channel, &id, &heldBank, &heldProgram);
        if (heldBank == bank && heldProgram == program) return true;
    }
    if (nextChannel_ >= kHostChannels ||
        fluid_synth_program_select(host_, nextChannel_, fluid_sfont_get_id(sfont_), bank,
                                   program) != FLUID_OK)
        return false;
    ++nextChannel_;
    return true;
}

}  // namespace xmascard::media
