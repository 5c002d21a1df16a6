// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/random_generator.h"
#include "platform/scheduler.h"

namespace xmascard {

namespace media {
class AudioEngine;
}

class Form;
class FormView;

struct ScreenSize {
    int width = 1280;  // pixels
    int height = 800;
};

// The services every window shares: the clock, the timers, the random generator, the audio
// output, the screen, the stacking order of the windows and the end of the program. One
// instance per run; windows reach it through their Form.
class Runtime {
  public:
    Runtime(Clock& clock, media::AudioEngine& audio);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    Clock& clock() const { return clock_; }
    Scheduler& scheduler() { return scheduler_; }
    media::AudioEngine& audio() const { return audio_; }

    // The helper functions of the behaviour code.
    double Timer() const { return clock_.now(); }
    void Randomize() { random_.randomize(clock_.now()); }
    void Randomize(double seed) { random_.randomize(seed); }
    float Rnd() { return random_.next(); }

    // Windows are shown through views made by this factory; without one they stay unseen.
    using ViewFactory = std::function<std::unique_ptr<FormView>(Form&)>;
    void setViewFactory(ViewFactory factory) { viewFactory_ = std::move(factory); }
    std::unique_ptr<FormView> makeView(Form& form) const;

    ScreenSize screen() const { return screen_; }
    void setScreen(ScreenSize screen) { screen_ = screen; }

    // The windows that exist, bottom of the stacking order first.
    const std::vector<Form*>& stacking() const { return stacking_; }
    void formCreated(Form& form);
    void formDestroyed(Form& form);
    void bringToFront(Form& form);

    // A window unloaded inside one of its own handlers is destroyed once that event is over.
    void retire(std::unique_ptr<Form> form);
    void sweep();
    // Asks for a sweep once the current event is over (through `sweepLater` when an event
    // loop provides it; the virtual loop sweeps after every tick anyway).
    void requestSweep() {
        if (sweepLater) sweepLater();
    }
    std::function<void()> sweepLater;

    // Ends the program at once: no timer fires again, no unload handling runs.
    void End();
    bool ended() const { return ended_; }
    std::function<void()> onEnd;

    // Opens a web address in the user's browser; false when nothing could open it.
    std::function<bool(const std::string&)> openUrl;

    // Runs one system tick: keeps the audio output's time in step with the clock and hands
    // it what its threads have finished (loaded files, an opened device), then fires the
    // timers that are due.
    void tick();

    // Counts the changes of place or size of windows and controls, so that the frame pacer
    // can tell things moving on every tick from things that move in steps.
    void noteMotion() { ++motions_; }
    std::uint64_t motions() const { return motions_; }

  private:
    Clock& clock_;
    media::AudioEngine& audio_;
    Scheduler scheduler_;
    RandomGenerator random_;
    ViewFactory viewFactory_;
    ScreenSize screen_;
    std::vector<Form*> stacking_;
    std::vector<std::unique_ptr<Form>> retired_;
    bool ended_ = false;
    std::uint64_t motions_ = 0;
};

// Drives a runtime under a virtual clock, tick by tick, as fast as the machine allows.
class VirtualLoop {
  public:
    VirtualLoop(Runtime& runtime, VirtualClock& clock) : runtime_(runtime), clock_(clock) {}
    // Runs every tick up to and including `seconds`, or until the program ends. Calls
    // `afterTick` after every tick that fired timers.
    void runUntil(double seconds, const std::function<void()>& afterTick = {});
    // Runs until the program ends or `limit` seconds of clock have passed; true if it ended.
    bool runToEnd(double limit, const std::function<void()>& afterTick = {});

  private:
    Runtime& runtime_;
    VirtualClock& clock_;
};

}  // namespace xmascard
