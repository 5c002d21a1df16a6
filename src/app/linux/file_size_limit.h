// SPDX-License-Identifier: MIT
#pragma once

namespace xmascard {

// A limit on the size of files (ulimit -f) ends a process that writes past it with SIGXFSZ,
// without a word and with its temporary files left behind. With the signal ignored, such a
// write fails with EFBIG instead, which the card tells in one line and cleans up after as
// it does after a full disk.
void ignoreFileSizeLimitSignal();

}  // namespace xmascard
