// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace xmascard::media {

// ALSA's library writes each error of its own to standard error (eight lines when there is
// no sound card). While a capture lives on a thread, ALSA's errors on that thread are kept
// instead, for the card's one line; on other threads, and once the first capture was made,
// they are dropped. Not nested.
class AlsaErrorCapture {
  public:
    AlsaErrorCapture();
    ~AlsaErrorCapture();
    AlsaErrorCapture(const AlsaErrorCapture&) = delete;
    AlsaErrorCapture& operator=(const AlsaErrorCapture&) = delete;

    // The first error ALSA reported, the deepest cause ("cannot find card '0'"); empty
    // when there was none.
    const std::string& first() const { return first_; }

  private:
    std::string first_;
};

}  // namespace xmascard::media
