// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

namespace xmascard {

class Form;
class FormView;
class Graphics;

struct ScreenSize {
    int width = 1280;  // pixels
    int height = 800;
    friend bool operator==(const ScreenSize&, const ScreenSize&) = default;
};

// What the runtime needs of the system it runs on, and the one way it reaches it: a real
// desktop through a backend (Qt, Win32), or a headless host for recordings and tests.
class Host {
  public:
    virtual ~Host() = default;

    virtual Graphics& graphics() = 0;
    // Shows a window on the screen; null where windows are not shown.
    virtual std::unique_ptr<FormView> makeView(Form& form) = 0;
    virtual ScreenSize screen() const = 0;
    // Opens a web address in the user's browser; false when nothing could open it.
    virtual bool openUrl(const std::string& address) = 0;
    // The directory that receives the card's sound files; empty when there is none (the
    // host has said why, in one line), and the card plays without them.
    virtual std::string soundDirectory() = 0;

    // The program has ended: the host's event loop, if any, stops.
    virtual void quit() = 0;
    // Asks for Runtime::sweep once the current event is over; hosts that sweep after every
    // tick anyway need not.
    virtual void sweepLater() = 0;
    // A timer was armed and may be due sooner than the host's loop planned to wake.
    virtual void timerArmed() = 0;
};

}  // namespace xmascard
