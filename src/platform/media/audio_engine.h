// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

namespace xmascard::media {

class Player;

// The one audio output of the program. Every player mixes into it, so there is one
// clock, one volume model and one place that degrades to silence.
//
// Three kinds of output:
//  - Device:  an audio device pulls the mix in real time. When no device can be opened,
//             create() prints one line on standard error and returns a Silent engine.
//  - Offline: nothing is played; render() produces the mix on demand, faster than real time.
//  - Silent:  no synthesis at all; players only keep their play positions, advanced with
//             advanceTo(). Used without a sound card and by the headless tests.
//
// The environment variable XMASCARD_AUDIO steers Device: "none" gives a Silent engine
// without a word; a FluidSynth driver name ("pulseaudio", "alsa", ...) uses that driver
// alone; unset, empty or "auto" tries PulseAudio (also served by PipeWire), then ALSA.
// XMASCARD_SOUNDFONT names the SoundFont to use instead of searching the usual places.
// Offline and Device engines load their SoundFont once, on the first MIDI file.
class AudioEngine {
  public:
    enum class Output { Device, Offline, Silent };
    static constexpr int kSampleRate = 44100;

    static std::unique_ptr<AudioEngine> create(Output output);
    virtual ~AudioEngine() = default;

    virtual Output output() const = 0;
    virtual std::unique_ptr<Player> createPlayer() = 0;

    // Loads what MIDI music needs (the SoundFont) now rather than on the first MIDI file,
    // so that a program can do it on another thread while it starts up. Not to be called
    // while players of this engine are in use on another thread.
    virtual void prepareMusic() = 0;

    // Offline: renders the next `frames` frames of the mix, stereo interleaved, into `out`
    // (2 * frames floats). Other outputs fill silence.
    virtual void render(float* out, int frames) = 0;

    // Offline and Silent: moves the engine's time forward to `seconds` (never back), so
    // that play positions keep pace with the program's clock. Device ignores it: there the
    // device's own pace moves the time.
    virtual void advanceTo(double seconds) = 0;

    // The engine's time in seconds: frames rendered (Offline), pulled by the device
    // (Device) or advanced (Silent) since it was created.
    virtual double time() const = 0;
};

// A player of one file at a time (a Standard MIDI File or an MP3), mixed into its engine.
// Called only from the user-interface thread. Errors (missing file, corrupt data, no
// SoundFont) give one line on standard error and leave the player silent at position 0.
// The file is read whole into memory when it is set; no file handle stays open. A
// player may outlive its engine (it then plays into nothing).
class Player {
  public:
    virtual ~Player() = default;

    // Loads the file and, with auto-start, plays it from its beginning. "" releases the
    // file the player holds (it can then be deleted).
    virtual void setFileName(const std::string& path) = 0;
    virtual std::string fileName() const = 0;
    virtual void setAutoStart(bool autoStart) = 0;
    // Plays the file this many times in a row (1 = once; 0 = without end, as the classic
    // player did). After the last pass the player stops at the end of the file.
    virtual void setPlayCount(int count) = 0;

    // From the current position; from the beginning (all passes again) when the player
    // stopped at the end of its last pass.
    virtual void play() = 0;
    virtual void pause() = 0;  // halts, keeps the position; notes resume on play
    // Halts, keeps the position (no automatic rewind); silence from the next buffer on.
    // A MIDI piece restarts from a reset synthesizer on the next play.
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;

    // Seconds into the current pass, exact to the sample (rendered frames are counted).
    // Writing moves the play point within the current pass; values are clamped to
    // [0, duration()], and a position at the end ends the pass on the next buffer.
    virtual double currentPosition() const = 0;
    virtual void setCurrentPosition(double seconds) = 0;
    // Length of one pass of the file in seconds (0 when nothing is loaded).
    virtual double duration() const = 0;

    // Hundredths of a decibel: 0 is full volume, gain = 10^(volume / 2000), clamped to
    // -10000..0. A change while playing ramps over 10 ms of rendered audio.
    virtual long volume() const = 0;
    virtual void setVolume(long hundredthsOfDecibel) = 0;
};

}  // namespace xmascard::media
