// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "backends/qt/qt_graphics.h"
#include "backends/qt/real_time_loop.h"
#include "backends/qt/window_outlines.h"
#include "platform/host.h"

namespace xmascard {

// The card on a desktop through Qt: windows are FormWindows (made when first shown), the
// screen is the primary screen, links open in the user's browser, and the runtime runs in
// Qt's event loop in real time once run() is called.
class QtHost final : public Host {
  public:
    QtHost() = default;
    // Windows get their outlines through `outlines`, which must outlive the host's windows.
    explicit QtHost(const WindowOutlines& outlines) : outlines_(&outlines) {}

    Graphics& graphics() override { return graphics_; }
    std::unique_ptr<FormView> makeView(Form& form) override;
    ScreenSize screen() const override;
    bool openUrl(const std::string& address) override;
    std::string soundDirectory() override;
    void quit() override;
    void sweepLater() override;
    void timerArmed() override;

    // The directory named by WINDIR, else the card's directory in the user's cache, which is
    // then made when missing; empty, after one line on standard error, when it cannot be.
    static std::string userSoundDirectory();

    // Starts running the runtime's ticks in real time; returns at once.
    void run(Runtime& runtime, TickClock& clock);

  private:
    QtGraphics graphics_;
    const WindowOutlines* outlines_ = nullptr;  // none: cut to the outline
    std::unique_ptr<RealTimeLoop> loop_;
};

}  // namespace xmascard
