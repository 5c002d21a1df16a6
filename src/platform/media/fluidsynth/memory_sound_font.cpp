// SPDX-License-Identifier: MIT
#include "platform/media/fluidsynth/memory_sound_font.h"

#include <atomic>
#include <cstdio>
#include <cstring>

#include "platform/media/fluidsynth/fluid_support.h"

namespace xmascard::media {
namespace {

// A name no file can have, so that no other loader finds a file of that name; each load
// has a name of its own, as FluidSynth shares the samples of fonts loaded under one name.
constexpr char kNamePrefix[] = "/proc/self/xmascard-sound-font-in-memory/";

// The bytes being loaded on this thread: FluidSynth reads them on the thread that loads.
thread_local const std::vector<std::uint8_t>* loading = nullptr;

struct MemoryFile {
    const std::vector<std::uint8_t>& bytes;
    fluid_long_long_t at = 0;
};

void* openMemory(const char* name) {
    if (loading == nullptr || std::strncmp(name, kNamePrefix, sizeof kNamePrefix - 1) != 0)
        return nullptr;
    return new MemoryFile{*loading};
}

int readMemory(void* buffer, fluid_long_long_t count, void* handle) {
    auto* file = static_cast<MemoryFile*>(handle);
    const auto size = static_cast<fluid_long_long_t>(file->bytes.size());
    if (count < 0 || count > size - file->at) return FLUID_FAILED;
    std::memcpy(buffer, file->bytes.data() + file->at, static_cast<std::size_t>(count));
    file->at += count;
    return FLUID_OK;
}

int seekMemory(void* handle, fluid_long_long_t offset, int origin) {
    auto* file = static_cast<MemoryFile*>(handle);
    const auto size = static_cast<fluid_long_long_t>(file->bytes.size());
    const fluid_long_long_t base = origin == SEEK_SET ? 0 : origin == SEEK_CUR ? file->at : size;
    if (base + offset < 0 || base + offset > size) return FLUID_FAILED;
    file->at = base + offset;
    return FLUID_OK;
}

fluid_long_long_t tellMemory(void* handle) { return static_cast<MemoryFile*>(handle)->at; }

int closeMemory(void* handle) {
    delete static_cast<MemoryFile*>(handle);
    return FLUID_OK;
}

}  // namespace

void addMemorySoundFontLoader(fluid_synth_t* synth, fluid_settings_t* settings) {
    fluid_sfloader_t* loader = new_fluid_defsfloader(settings);
    if (loader == nullptr) return;  // the load fails and says so
    fluid_sfloader_set_callbacks(loader, openMemory, readMemory, seekMemory, tellMemory,
                                 closeMemory);
    fluid_synth_add_sfloader(synth, loader);  // the synthesizer owns it and asks it first
}

int loadMemorySoundFont(fluid_synth_t* synth, const std::vector<std::uint8_t>& bytes,
                        std::string& why) {
    static std::atomic<unsigned> loads{0};
    const std::string name = kNamePrefix + std::to_string(++loads);
    FluidErrorCapture capture;
    loading = &bytes;
    int id = fluid_synth_sfload(synth, name.c_str(), 0);
    // The samples are read (from the bytes, while they are there) and kept for good: every
    // preset of the font is pinned, so no program change frees or reads them later.
    fluid_sfont_t* font = id >= 0 ? fluid_synth_get_sfont_by_id(synth, id) : nullptr;
    if (font != nullptr) {
        fluid_sfont_iteration_start(font);
        while (fluid_preset_t* preset = fluid_sfont_iteration_next(font))
            if (fluid_synth_pin_preset(synth, id, fluid_preset_get_banknum(preset),
                                       fluid_preset_get_num(preset)) != FLUID_OK)
                id = -1;
    }
    loading = nullptr;
    if (id < 0) why = capture.last("FluidSynth cannot load it");
    return id;
}

}  // namespace xmascard::media
