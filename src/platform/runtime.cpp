// SPDX-License-Identifier: MIT
#include "platform/runtime.h"

#include <algorithm>

#include "platform/form.h"
#include "platform/form_view.h"
#include "platform/media/audio_engine.h"

namespace xmascard {

Runtime::Runtime(Clock& clock, media::AudioEngine& audio)
    : clock_(clock), audio_(audio), scheduler_(clock) {
    // The audio's time starts where the clock stands, so playing begins at position 0.
    audio_.advanceTo(clock_.now());
}

Runtime::~Runtime() = default;

std::unique_ptr<FormView> Runtime::makeView(Form& form) const {
    return viewFactory_ ? viewFactory_(form) : nullptr;
}

void Runtime::formCreated(Form& form) { stacking_.push_back(&form); }

void Runtime::formDestroyed(Form& form) { std::erase(stacking_, &form); }

void Runtime::bringToFront(Form& form) {
    std::erase(stacking_, &form);
    stacking_.push_back(&form);
}

void Runtime::retire(std::unique_ptr<Form> form) { retired_.push_back(std::move(form)); }

void Runtime::sweep() { retired_.clear(); }

void Runtime::End() {
    if (ended_) return;
    ended_ = true;
    scheduler_.halt();
    if (onEnd) onEnd();
}

void Runtime::tick() {
    // A silent output, or a device output whose device is not open yet, only keeps
    // positions; an offline one is rendered by whoever records it.
    if (audio_.output() != media::AudioEngine::Output::Offline) audio_.advanceTo(clock_.now());
    audio_.poll();
    scheduler_.fireDue();
    sweep();
}

void VirtualLoop::runUntil(double seconds, const std::function<void()>& afterTick) {
    while (!runtime_.ended()) {
        const std::optional<double> next = runtime_.scheduler().nextTick();
        if (!next || *next > seconds) break;
        clock_.set(*next);
        runtime_.tick();
        if (afterTick) afterTick();
    }
    if (!runtime_.ended()) clock_.set(seconds);
}

bool VirtualLoop::runToEnd(double limit, const std::function<void()>& afterTick) {
    runUntil(limit, afterTick);
    return runtime_.ended();
}

}  // namespace xmascard
