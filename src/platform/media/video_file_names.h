// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <string_view>

#include "platform/media/status.h"

// Which names ask for a video file, known to the program before it loads anything that
// writes one. Inline, so that a video encoder module shares them without linking the model.
namespace xmascard::media {

// The extensions of the videos written here, lower case, with their dot.
inline constexpr std::array<std::string_view, 3> kVideoExtensions{".mp4", ".webm", ".mkv"};

// Other extensions of video and animation files: a recording asked for under one of these
// names is refused rather than written as a directory of that name.
inline constexpr std::array<std::string_view, 12> kOtherVideoExtensions{
    ".avi", ".mov", ".m4v", ".ogv", ".ogg", ".flv", ".wmv", ".gif", ".mpg", ".mpeg", ".ts", ".3gp"};

// The extension of the file name, with its dot, in lower case; empty when it has none.
inline std::string lowerExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// Done when the name ends in the extension of a video written here (in any case), else a
// message that names the extensions there are.
inline Status checkVideoName(const std::string& path) {
    const std::string extension = lowerExtension(path);
    if (std::find(kVideoExtensions.begin(), kVideoExtensions.end(), extension) !=
        kVideoExtensions.end())
        return Status::done();
    return Status::failure("cannot tell the kind of video from the name " + path +
                           "; it should end in .mp4, .webm or .mkv");
}

// Whether the file name ends in the extension of a video or animation file, one that is
// written here or another common one: such a name is meant as a file, not as a directory.
inline bool namesVideoFile(const std::string& path) {
    const std::string extension = lowerExtension(path);
    if (extension.empty()) return false;
    if (checkVideoName(path).ok()) return true;
    return std::find(kOtherVideoExtensions.begin(), kOtherVideoExtensions.end(), extension) !=
           kOtherVideoExtensions.end();
}

}  // namespace xmascard::media
