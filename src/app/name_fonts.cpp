// SPDX-License-Identifier: MIT
#include "app/name_fonts.h"

#include <cstdio>

#include "platform/io/shown_text.h"

namespace xmascard {

int refuseUndrawableNames(const CardNames& names, Graphics& graphics) {
    const auto problem = cardNamesFontProblem(names, graphics);
    if (!problem) return 0;
    std::fprintf(stderr, "xmascard: %s (try 'xmascard --help')\n", io::shown(*problem).c_str());
    return 2;
}

}  // namespace xmascard
