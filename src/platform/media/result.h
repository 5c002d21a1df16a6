// SPDX-License-Identifier: MIT
#pragma once

#include "platform/io/result.h"

namespace xmascard::media {

using io::Result;

}  // namespace xmascard::media
