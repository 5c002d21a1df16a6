// SPDX-License-Identifier: MIT
#include "platform/runtime.h"

#include <algorithm>
#include <cstdio>

#include "platform/form.h"
#include "platform/graphics.h"
#include "platform/media/audio_engine.h"
#include "platform/resources.h"
#include "platform/view/form_view.h"

namespace xmascard {

Runtime::Runtime(Clock& clock, media::AudioEngine& audio, Host& host)
    : clock_(clock), audio_(audio), host_(host), scheduler_(clock) {
    scheduler_.onArm = [this] { host_.timerArmed(); };
    // The audio's time starts where the clock stands, so playing begins at position 0.
    audio_.advanceTo(clock_.now());
}

Runtime::~Runtime() = default;

Picture Runtime::loadPicture(const char* name) const {
    if (!name) return {};
    const std::optional<std::span<const std::uint8_t>> bytes = embeddedFile(name);
    std::string why = "it is not embedded";
    Picture picture = bytes ? host_.graphics().decode(*bytes, why) : Picture();
    if (picture.isNull())
        std::fprintf(stderr, "xmascard: picture %s cannot be read (%s); it is left out\n", name,
                     why.c_str());
    return picture;
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
    host_.quit();
}

void Runtime::tick() {
    // A silent output, or a device output whose device is not open yet, only keeps
    // positions; an offline one is rendered by whoever records it.
    if (audio_.output() != media::AudioEngine::Output::Offline) audio_.advanceTo(clock_.now());
    audio_.poll();
    scheduler_.fireDue();
    sweep();
}

}  // namespace xmascard
