// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "platform/host.h"

namespace xmascard {

// A host without a screen, for recordings and tests: windows are not shown, links are only
// noted, and the program's end is noted for whoever drives the ticks.
class HeadlessHost final : public Host {
  public:
    HeadlessHost(Graphics& graphics, ScreenSize screen, std::string soundDirectory)
        : graphics_(graphics), screen_(screen), soundDirectory_(std::move(soundDirectory)) {}

    Graphics& graphics() override { return graphics_; }
    std::unique_ptr<FormView> makeView(Form&) override { return nullptr; }
    ScreenSize screen() const override { return screen_; }
    bool openUrl(const std::string& address) override {
        opened_.push_back(address);
        return browserOpens_;
    }
    std::string soundDirectory() override { return soundDirectory_; }
    void quit() override { quit_ = true; }
    void sweepLater() override {}  // the ticks are driven by hand, and sweep after each
    void timerArmed() override {}

    void setScreen(ScreenSize screen) { screen_ = screen; }
    void setSoundDirectory(std::string directory) { soundDirectory_ = std::move(directory); }
    // Whether a link "opens" (tests of what follows a click on one).
    void setBrowserOpens(bool opens) { browserOpens_ = opens; }
    const std::vector<std::string>& opened() const { return opened_; }
    bool quitAsked() const { return quit_; }

  private:
    Graphics& graphics_;
    ScreenSize screen_;
    std::string soundDirectory_;
    std::vector<std::string> opened_;
    bool browserOpens_ = false;
    bool quit_ = false;
};

}  // namespace xmascard
