// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace xmascard {

// The user's choice of sound output, from the value of XMASCARD_AUDIO: "none" silences the
// card without a word; unset, "" or "auto" take the system's default order of devices; any
// other value names one device to use alone.
struct AudioChoice {
    bool silent = false;
    std::string device;  // empty: the default order
    friend bool operator==(const AudioChoice&, const AudioChoice&) = default;
};

AudioChoice audioChoiceFor(const std::optional<std::string>& value);

}  // namespace xmascard
