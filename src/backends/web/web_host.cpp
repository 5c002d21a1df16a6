// SPDX-License-Identifier: MIT
#include "backends/web/web_host.h"

#include <emscripten.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>

#include "backends/web/page_bridge.h"
#include "backends/web/web_form_window.h"
#include "platform/media/audio_engine.h"
#include "platform/runtime.h"
#include "platform/time/frame_pacer.h"

namespace xmascard {

namespace {

WebHost* currentHost = nullptr;

// The sound is rendered this far ahead of the show's clock, so that the page's audio never
// runs dry between two animation frames.
constexpr double kSoundLead = 0.12;

}  // namespace

WebHost::WebHost() : fit_(fitScreen(page::viewportWidth(), page::viewportHeight(), kLeastScreen)) {
    currentHost = this;
    page::setScreen(fit_.screen.width, fit_.screen.height);
}

WebHost::~WebHost() { currentHost = nullptr; }

WebHost* WebHost::current() { return currentHost; }

std::unique_ptr<FormView> WebHost::makeView(Form& form) {
    return std::make_unique<WebFormWindow>(form, *this);
}

bool WebHost::openUrl(const std::string& address) { return page::openUrl(address); }

std::string WebHost::soundDirectory() {
    // The page's own memory file system: the card's sound files are written and read there.
    const std::string dir = "/tmp/xmascard";
    mkdir(dir.c_str(), 0700);
    return dir;
}

void WebHost::quit() {
    if (ended_) return;
    ended_ = true;
    if (audio_) audio_->close();
    emscripten_cancel_main_loop();
    page::endCard();
}

void WebHost::detach(WebFormWindow& window) {
    std::erase(views_, &window);
    if (captured_ == window.id()) captured_.reset();
    if (hovered_ == window.id()) hovered_.reset();
}

void WebHost::restack() {
    const std::vector<int> order = windows_.order();
    page::stackWindows(order.data(), static_cast<int>(order.size()));
}

WebFormWindow* WebHost::view(WindowStack::Id id) const {
    for (WebFormWindow* v : views_)
        if (v->id() == id) return v;
    return nullptr;
}

void WebHost::pointer(int kind, PixelPoint onScreen, int button, int buttons, int shift) {
    if (ended_) return;
    // A window that was pressed keeps the pointer until every button is up, as a desktop's
    // capture does.
    std::optional<WindowStack::Id> target = captured_ ? captured_ : windows_.at(onScreen);
    if (!captured_ && hovered_ != target) {
        if (!target) page::setCursor(nullptr, 0, 0, 0);
        if (!target) page::setToolTip("");
        hovered_ = target;
    }
    WebFormWindow* window = target ? view(*target) : nullptr;
    if (!window) return;
    const auto place = windows_.placeOf(*target);
    const PixelPoint inWindow = onScreen - place->topLeft();
    if (kind == 0) {
        captured_ = target;
        window->pointerPressed(inWindow, onScreen, button, shift);
    } else if (kind == 1) {
        window->pointerMoved(inWindow, onScreen, buttons, shift);
    } else {
        if (buttons == 0) captured_.reset();
        window->pointerReleased(inWindow, onScreen, button, buttons, shift);
    }
    // The click may have ended the card (the plug), and with it the runtime's work.
    if (sweepPending_ && runtime_ && !ended_) {
        sweepPending_ = false;
        runtime_->sweep();
    }
}

void WebHost::textTyped(int window, int edit, std::string text) {
    if (WebFormWindow* w = view(window)) w->editTyped(edit, std::move(text));
}

void WebHost::run(Runtime& runtime, TickClock& clock, media::AudioEngine* audio) {
    runtime_ = &runtime;
    clock_ = &clock;
    audio_ = audio && audio->output() == media::AudioEngine::Output::Offline ? audio : nullptr;
    pacer_ = std::make_unique<FramePacer>(runtime, clock);
    emscripten_set_main_loop_arg([](void* host) { static_cast<WebHost*>(host)->frame(); }, this, 0,
                                 1);
    __builtin_unreachable();
}

void WebHost::frame() {
    if (ended_) return;
    const double now = clock_->real().now();
    if (const auto wake = pacer_->nextWake(); wake && *wake <= now) pacer_->runDue();
    if (ended_) return;
    if (sweepPending_) {
        sweepPending_ = false;
        runtime_->sweep();
    }
    for (WebFormWindow* window : std::vector<WebFormWindow*>(views_)) window->tick(now);
    for (WebFormWindow* window : views_) window->repaint();
    pumpSound();
}

void WebHost::pumpSound() {
    if (!audio_) return;
    const double until = clock_->real().now() + kSoundLead;
    const long long want =
        static_cast<long long>(std::floor(until * media::AudioEngine::kSampleRate));
    // After a stall (a hidden tab) the page drops what is already late; the mix still
    // moves on with the show, as the players' times depend on it.
    while (framesRendered_ < want) {
        const int frames = static_cast<int>(
            std::min<long long>(want - framesRendered_, media::AudioEngine::kSampleRate / 2));
        sound_.resize(static_cast<std::size_t>(frames) * 2);
        audio_->render(sound_.data(), frames);
        page::playSound(sound_.data(), frames,
                        static_cast<double>(framesRendered_) / media::AudioEngine::kSampleRate);
        framesRendered_ += frames;
    }
}

}  // namespace xmascard

// The page's events come in here.
extern "C" {

EMSCRIPTEN_KEEPALIVE void xmascard_pointer(int kind, int x, int y, int button, int buttons,
                                           int shift) {
    if (auto* host = xmascard::WebHost::current())
        host->pointer(kind, {x, y}, button, buttons, shift);
}

EMSCRIPTEN_KEEPALIVE void xmascard_text_typed(int window, int edit, const char* text) {
    if (auto* host = xmascard::WebHost::current()) host->textTyped(window, edit, text);
}
}
