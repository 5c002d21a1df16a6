// SPDX-License-Identifier: MIT
#include "platform/resources.h"

namespace xmascard {

std::optional<std::span<const std::uint8_t>> embeddedFile(std::string_view name) {
    for (const EmbeddedFile& file : embeddedFiles())
        if (file.name == name) return file.bytes;
    return std::nullopt;
}

}  // namespace xmascard
