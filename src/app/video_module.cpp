// SPDX-License-Identifier: MIT
#include "app/video_module.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <filesystem>
#include <mutex>
#include <vector>

#include "build_info.h"

namespace xmascard {
namespace {

using media::Result;
using media::VideoEncoderModule;

// Beside the program, then where the install puts it relative to the program.
std::vector<std::string> videoModulePlaces() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path directory = program.parent_path();
    return {(directory / XMASCARD_VIDEO_MODULE).lexically_normal().string(),
            (directory / XMASCARD_MODULE_DIR_FROM_PROGRAM / XMASCARD_VIDEO_MODULE)
                .lexically_normal()
                .string()};
}

bool isFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Loads the first module there is; null with `why` set when none loads.
const VideoEncoderModule* loadModule(std::string& why) {
    const std::vector<std::string> places = videoModulePlaces();
    for (const std::string& place : places) {
        if (!isFile(place)) continue;
        // Never closed: its encoders' threads and the libraries it pulls in stay until
        // the end of the program.
        void* library = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            const char* error = dlerror();
            why = "cannot record a video: the video encoder " + place + " cannot be loaded (" +
                  (error != nullptr ? error : "unknown error") + ")";
            return nullptr;
        }
        const auto entry =
            reinterpret_cast<media::VideoEncoderEntry>(dlsym(library, media::kVideoEncoderEntry));
        const VideoEncoderModule* module = entry != nullptr ? entry() : nullptr;
        if (module == nullptr || module->interfaceVersion != media::kVideoEncoderInterface) {
            why = "cannot record a video: the video encoder " + place +
                  " belongs to another version of the card";
            return nullptr;
        }
        return module;
    }
    why = "cannot record a video: the video encoder " XMASCARD_VIDEO_MODULE
          " is not installed (looked for ";
    for (std::size_t i = 0; i < places.size(); ++i) why += (i > 0 ? " and " : "") + places[i];
    why += ")";
    return nullptr;
}

}  // namespace

Result<std::unique_ptr<media::VideoEncoder>> openVideoEncoder(
    const std::string& path, const media::VideoSettings& settings) {
    static std::once_flag once;
    static const VideoEncoderModule* module = nullptr;
    static std::string why;
    std::call_once(once, [] { module = loadModule(why); });
    if (module == nullptr) return Result<std::unique_ptr<media::VideoEncoder>>::failure(why);
    return module->open(path, settings);
}

}  // namespace xmascard
