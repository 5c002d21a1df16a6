// SPDX-License-Identifier: MIT
#include "platform/media/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace xmascard::media {

Result<std::vector<std::uint8_t>> readWholeFile(const std::string& path, std::size_t maxBytes) {
    using R = Result<std::vector<std::uint8_t>>;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         std::fclose);
    if (!file) return R::failure(std::string("cannot open (") + std::strerror(errno) + ")");
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    for (;;) {
        std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        if (bytes.size() + got > maxBytes) {
            return R::failure("larger than " + std::to_string(maxBytes / (1024 * 1024)) +
                              " MB, too large for a sound of the card");
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) break;
    }
    if (std::ferror(file.get())) {
        return R::failure(std::string("cannot read (") + std::strerror(errno) + ")");
    }
    return R::success(std::move(bytes));
}

}  // namespace xmascard::media
