// SPDX-License-Identifier: MIT
// The parts of files.h that are the same on every system (files.cpp holds the POSIX ones,
// win32/files_win32.cpp the Windows ones).
#include <cstdint>

#include "platform/files.h"
#include "platform/io/safe_file.h"
#include "platform/resources.h"

namespace xmascard {

std::optional<std::vector<char>> LoadResData(int id, const std::string& type) {
    const auto bytes = embeddedFile(type + "/" + std::to_string(id));
    if (!bytes) return std::nullopt;
    return std::vector<char>(bytes->begin(), bytes->end());
}

std::optional<std::string> writeWholeFile(const std::string& path, const std::vector<char>& bytes) {
    return io::writeFileSafely(path,
                               {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

}  // namespace xmascard
