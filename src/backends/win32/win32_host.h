// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "backends/win32/win32_graphics.h"
#include "platform/host.h"
#include "platform/time/clock.h"

namespace xmascard {

class Runtime;

// The card on a Windows desktop: windows are Win32FormWindows, the screen is the primary
// monitor, links open through the shell, and the runtime runs in the thread's message
// loop in real time once run() is called.
class Win32Host final : public Host {
  public:
    Graphics& graphics() override { return graphics_; }
    std::unique_ptr<FormView> makeView(Form& form) override;
    ScreenSize screen() const override;
    bool openUrl(const std::string& address) override;
    std::string soundDirectory() override;
    void quit() override;
    void sweepLater() override { sweepPending_ = true; }
    void timerArmed() override {}  // the loop asks the pacer afresh after every message

    // The card's folder in the user's local application data, made when missing.
    static std::string localDataDirectory();

    // Runs the runtime's ticks and the windows' messages until the program ends; returns
    // the exit status.
    int run(Runtime& runtime, TickClock& clock);

  private:
    Win32Graphics graphics_;
    bool sweepPending_ = false;
};

// Asks the system for real pixels (no scaling of the card's windows on a high-DPI screen),
// so that 15 twips are one pixel as the layout expects.
void makeDpiAware();

// True when a new file can be made in the directory.
bool directoryWritable(const std::string& directory);

}  // namespace xmascard
