// SPDX-License-Identifier: MIT
#pragma once

namespace xmascard {

// Ends the program cleanly on SIGINT (Ctrl+C), SIGTERM and SIGHUP (the session ends). The
// handlers only note the signal; the program sees it through received() or the readable
// descriptor, winds down (the sound fades out, files are closed whole), then calls
// endAsSignalled() so that its parent sees it ended by that signal, as the convention is.
// A signal that was ignored when the program started (nohup, a background job of a
// script) stays ignored.
namespace signal_ending {

void install();
// The first signal received, or 0.
int received();
// A descriptor that becomes readable when a signal arrives, for an event loop.
int descriptor();
// Ends the process by the signal received, with its default action.
[[noreturn]] void endAsSignalled();

}  // namespace signal_ending

}  // namespace xmascard
