// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace xmascard {

// Opens a web address in the user's default browser; false when nothing could open it. A
// failure is silent: the card goes on as if the link had not been clicked.
bool openInBrowser(const std::string& address);

}  // namespace xmascard
