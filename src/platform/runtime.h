// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/picture.h"
#include "platform/random_generator.h"
#include "platform/time/clock.h"
#include "platform/time/scheduler.h"

namespace xmascard {

namespace media {
class AudioEngine;
}

class Form;
class FormView;

// The services every window shares: the clock, the timers, the random generator, the audio
// output, the host it runs on (screen, windows, pictures, browser), the stacking order of
// the windows and the end of the program. One instance per run; windows reach it through
// their Form.
class Runtime {
  public:
    Runtime(Clock& clock, media::AudioEngine& audio, Host& host);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    Clock& clock() const { return clock_; }
    Scheduler& scheduler() { return scheduler_; }
    media::AudioEngine& audio() const { return audio_; }
    Host& host() const { return host_; }

    // The helper functions of the behaviour code.
    double Timer() const { return clock_.now(); }
    void Randomize() { random_.randomize(clock_.now()); }
    void Randomize(double seed) { random_.randomize(seed); }
    float Rnd() { return random_.next(); }

    ScreenSize screen() const { return host_.screen(); }
    // The directory that receives the card's sound files.
    std::string soundDirectory() const { return host_.soundDirectory(); }
    // Opens a web address in the user's browser; false when nothing could open it.
    bool openUrl(const std::string& address) { return host_.openUrl(address); }
    // An embedded picture by name ("pictures/tree.gif"); no name: no picture. A missing or
    // undecodable picture gives one line on standard error and no picture.
    Picture loadPicture(const char* name) const;

    // The windows that exist, bottom of the stacking order first.
    const std::vector<Form*>& stacking() const { return stacking_; }
    void formCreated(Form& form);
    void formDestroyed(Form& form);
    void bringToFront(Form& form);

    // A window unloaded inside one of its own handlers is destroyed once that event is over.
    void retire(std::unique_ptr<Form> form);
    void sweep();
    // Asks the host for a sweep once the current event is over.
    void requestSweep() { host_.sweepLater(); }

    // Ends the program at once: no timer fires again, no unload handling runs.
    void End();
    bool ended() const { return ended_; }

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
    Host& host_;
    Scheduler scheduler_;
    RandomGenerator random_;
    std::vector<Form*> stacking_;
    std::vector<std::unique_ptr<Form>> retired_;
    bool ended_ = false;
    std::uint64_t motions_ = 0;
};

}  // namespace xmascard
