// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace xmascard::io {

// Text from outside (a path, an option's value, a name) as a one-line message may show it:
// what would break the line or drive the terminal is escaped, so that the message stays one
// line and shows what was given. Control characters become \n, \t, \e or \xHH (C0 and DEL)
// and \u0080 to \u009f (C1, which terminals may take as escape sequences); the
// bidirectional controls U+202A to U+202E and U+2066 to U+2069 become \u202e and the like,
// so that they cannot reorder the message; a byte that is not UTF-8 becomes \xHH; a
// backslash stays as it is.
std::string shown(std::string_view text);

}  // namespace xmascard::io
