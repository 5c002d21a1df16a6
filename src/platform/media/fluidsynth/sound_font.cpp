// SPDX-License-Identifier: MIT
#include "platform/media/fluidsynth/sound_font.h"

#include <malloc.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/media/fluidsynth/memory_sound_font.h"
#include "platform/media/fluidsynth/sound_font_check.h"
#include "platform/media/fluidsynth/sound_font_subset.h"
#include "platform/media/midi_source.h"

namespace xmascard::media {
namespace {

constexpr long long kSmallSoundFontBytes = 40LL * 1024 * 1024;

// What a reset selects: the piano, and the standard kit on channel 10.
const std::vector<std::pair<int, int>> kResetPresets{{0, 0}, {MidiSource::kPercussionBank, 0}};

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
    const std::vector<std::string> list = candidates(settings.get(), chosen);
    std::string lastError;
    for (bool smallOnly : {true, false}) {
        for (const std::string& path : list) {
            std::string why;
            const long long size = fileSize(path, why);
            // Of the usual places only those that hold a file count; a chosen file must.
            if (size < 0 && chosen) lastError = path + ": " + why;
            if (size < 0 || (smallOnly != (size <= kSmallSoundFontBytes))) continue;
            const std::string problem = checkSoundFontFile(path);
            if (problem.empty())
                return Result<std::shared_ptr<SoundFont>>::success(
                    std::shared_ptr<SoundFont>(new SoundFont(path)));
            lastError = path + ": " + problem;
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

Result<int> SoundFont::loadInto(fluid_synth_t* synth,
                                std::vector<std::pair<int, int>> presets) const {
    presets.insert(presets.end(), kResetPresets.begin(), kResetPresets.end());
    auto subset = soundFontSubset(path_, presets);
    if (!subset.ok()) return Result<int>::failure(path_ + ": " + subset.error());
    std::string why;
    const int id = loadMemorySoundFont(synth, subset.value(), why);
    subset = Result<std::vector<std::uint8_t>>::failure("loaded");
    // FluidSynth holds its own copy of the samples now: what the subset took goes back to
    // the system rather than stay in this thread's heap.
    malloc_trim(0);
    if (id < 0) return Result<int>::failure(path_ + ": cannot be loaded (" + why + ")");
    return Result<int>::success(id);
}

}  // namespace xmascard::media
