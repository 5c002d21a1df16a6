// SPDX-License-Identifier: MIT
#include "app/audio_choice.h"

namespace xmascard {

AudioChoice audioChoiceFor(const std::optional<std::string>& value) {
    if (!value || value->empty() || *value == "auto") return {};
    if (*value == "none") return {true, ""};
    return {false, *value};
}

}  // namespace xmascard
