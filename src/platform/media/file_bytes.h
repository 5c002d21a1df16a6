// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/media/result.h"

namespace xmascard::media {

// Reads a whole file into memory and closes it, so that no handle stays open and the
// file can be replaced or deleted while it plays. Files over `maxBytes` are refused.
Result<std::vector<std::uint8_t>> readWholeFile(const std::string& path, std::size_t maxBytes);

}  // namespace xmascard::media
