// SPDX-License-Identifier: MIT
// The parts of files.h that are the same on every system (posix/files_posix.cpp holds the
// POSIX ones, win32/files_win32.cpp the Windows ones).
#include <cstdint>

#include "platform/io/files.h"
#include "platform/io/safe_file.h"

namespace xmascard {

std::optional<std::string> writeWholeFile(const std::string& path, const std::vector<char>& bytes) {
    return io::writeFileSafely(path,
                               {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

}  // namespace xmascard
