// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "backends/web/page_pixels.h"
#include "backends/web/web_graphics.h"
#include "backends/web/window_stack.h"
#include "platform/host.h"
#include "platform/time/clock.h"

namespace xmascard {

class Runtime;
class WebFormWindow;
class FramePacer;
namespace media {
class AudioEngine;
}

// The card in a web page: windows are canvases (WebFormWindow), the screen is the page's
// viewport (at least as large as the show needs, scaled down to fit), links open in a new
// tab, and the runtime's ticks run from the page's animation frames on its clock. The page's
// one pointer listener comes here and goes to the window under the pointer.
class WebHost final : public Host {
  public:
    // The least screen on which every window of the show shows whole (the open card is 434
    // pixels wide, the tree 398 high); the browser test checks it on a phone's viewport.
    static constexpr ScreenSize kLeastScreen{480, 640};

    WebHost();
    ~WebHost() override;
    Graphics& graphics() override { return graphics_; }
    std::unique_ptr<FormView> makeView(Form& form) override;
    ScreenSize screen() const override { return fit_.screen; }
    bool openUrl(const std::string& address) override;
    std::string soundDirectory() override;
    void quit() override;
    void sweepLater() override { sweepPending_ = true; }
    void timerArmed() override {}  // the next animation frame asks the pacer afresh

    // Runs the runtime from the page's animation frames; never returns (the page's event
    // loop takes over). `audio`, when offline, is rendered as the show's clock moves and
    // played by the page.
    [[noreturn]] void run(Runtime& runtime, TickClock& clock, media::AudioEngine* audio);

    // The page's pointer: kind 0 press, 1 move, 2 release; at a point of the screen.
    void pointer(int kind, PixelPoint onScreen, int button, int buttons, int shift);
    void textTyped(int window, int edit, std::string text);

    WindowStack& windows() { return windows_; }
    void attach(WebFormWindow& window) { views_.push_back(&window); }
    void detach(WebFormWindow& window);
    // Brings the page's canvases in the stack's order.
    void restack();

    static WebHost* current();

  private:
    void frame();
    WebFormWindow* view(WindowStack::Id id) const;
    void pumpSound();

    WebGraphics graphics_;
    PageFit fit_;
    WindowStack windows_;
    std::vector<WebFormWindow*> views_;
    std::optional<WindowStack::Id> captured_;
    std::optional<WindowStack::Id> hovered_;
    bool sweepPending_ = false;
    bool ended_ = false;
    Runtime* runtime_ = nullptr;
    TickClock* clock_ = nullptr;
    std::unique_ptr<FramePacer> pacer_;
    media::AudioEngine* audio_ = nullptr;
    long long framesRendered_ = 0;
    std::vector<float> sound_;
};

}  // namespace xmascard
