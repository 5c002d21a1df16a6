// SPDX-License-Identifier: MIT
#include "app/linux/file_size_limit.h"

#include <signal.h>

namespace xmascard {

void ignoreFileSizeLimitSignal() {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGXFSZ, &action, nullptr);
}

}  // namespace xmascard
