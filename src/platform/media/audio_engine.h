// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/media/audio_stream.h"
#include "platform/media/synthesizer.h"
#include "platform/media/volume.h"

namespace xmascard::media {

class Player;

// How the players of an engine wait for the files they are given. Files are always read
// and decoded on threads of their own, and one that takes longer than `timeLimit` (a slow
// disk, a damaged file that decodes slowly) is given up with one line on standard error.
enum class Loading {
    // The caller waits for the file, up to the time limit: for runs under a virtual clock
    // (recordings, tests), where the show's time stands still meanwhile.
    Waited,
    // The caller goes on at once, and the file joins the show on a later poll(), where it
    // would be had it played from the moment it was asked for. An audio device is opened in
    // the background too. For real-time runs, where nothing may hold up the window.
    Background,
};

// Which kinds of sound the players of an engine have loaded so far.
struct SoundsLoaded {
    bool music = false;    // a Standard MIDI File
    bool sampled = false;  // an MP3 file
};

struct LoadPolicy {
    Loading loading = Loading::Waited;
    std::chrono::milliseconds timeLimit{5000};
};

// What a platform gives an engine to sound with: the music its MIDI pieces play on (a
// software synthesizer and its SoundFont, or a system's MIDI device), the sound devices it
// can open, and the user's choice among them.
struct SoundSystem {
    std::shared_ptr<Music> music;  // none: MIDI pieces are only timed
    OpenAudioStream openStream;    // none: no device can be opened
    std::string deviceChoice;      // empty: the system's default order
    // How long after a device went away it is looked for again, and again after each try.
    std::chrono::milliseconds reopenInterval{1000};
};

// The one audio output of the program. Every player mixes into it, so there is one
// clock, one volume model and one place that degrades to silence.
//
// Three kinds of output:
//  - Device:  an audio device pulls the mix in real time. When no device can be opened,
//             one line goes to standard error and the engine plays silently. With
//             Loading::Background the device opens on a thread of its own (a sound server
//             may take half a minute to answer, or never): until it is there, the engine
//             keeps time like a Silent one, and then the device carries the mix on from
//             where the show stands. A device that goes away later (its sound server quit)
//             is told in one line and looked for again in the background meanwhile, the
//             engine keeping time as before it opened; once it is back the mix joins where
//             the show stands.
//  - Offline: nothing is played; render() produces the mix on demand, faster than real time.
//  - Silent:  no synthesis at all; players only keep their play positions, advanced with
//             advanceTo(). Used without a sound card and by the headless tests.
//
// Offline and Device engines synthesize through the sound system's music, which loads what
// it needs (a SoundFont) once, for the first MIDI file.
class AudioEngine {
  public:
    enum class Output { Device, Offline, Silent };
    static constexpr int kSampleRate = 44100;

    static std::unique_ptr<AudioEngine> create(Output output, LoadPolicy policy = {},
                                               SoundSystem sound = {});
    virtual ~AudioEngine() = default;

    virtual Output output() const = 0;
    virtual std::unique_ptr<Player> createPlayer() = 0;
    // What the players have loaded, so that a recording can tell a soundtrack that lacks
    // what the show plays.
    virtual SoundsLoaded soundsLoaded() const = 0;

    // Loads what MIDI music needs (the SoundFont) now rather than on the first MIDI file,
    // so that a program can do it on another thread while it starts up. Not to be called
    // while players of this engine are in use on another thread.
    virtual void prepareMusic() = 0;

    // Offline: renders the next `frames` frames of the mix, stereo interleaved, into `out`
    // (2 * frames floats). Other outputs fill silence.
    virtual void render(float* out, int frames) = 0;

    // Offline and Silent: moves the engine's time forward to `seconds` (never back), so
    // that play positions keep pace with the program's clock. Device: the same until its
    // device is open, which then takes over (from then on the device's own pace moves the
    // time and this does nothing).
    virtual void advanceTo(double seconds) = 0;

    // Hands over what threads of the engine have finished: files loaded for players (or
    // given up), a device that has opened. Called on the user-interface thread on every
    // tick; cheap when there is nothing.
    virtual void poll() = 0;

    // The engine's time in seconds: frames rendered (Offline), pulled by the device
    // (Device) or advanced (Silent) since it was created.
    virtual double time() const = 0;

    // The program ends: a device's sound fades out within a few milliseconds and stops,
    // rather than breaking off with a click. Nothing sounds after, and no device is opened
    // any more. Waits for the device a fraction of a second at most.
    virtual void close() = 0;
};

// A player of one file at a time (a Standard MIDI File or an MP3), mixed into its engine.
// Called only from the user-interface thread. Errors (missing file, corrupt data, no
// SoundFont, a file that takes too long) give one line on standard error and leave the
// player silent at position 0. The file is read whole into memory; no file handle stays
// open. A
// player may outlive its engine (it then plays into nothing).
class Player {
  public:
    virtual ~Player() = default;

    // Loads the file and, with auto-start, plays it from its beginning. "" releases the
    // file the player holds (it can then be deleted). The file is read and decoded on a
    // thread of its own, waited for or joining later as the engine's LoadPolicy says; until
    // it is there, the player reports the play state it was asked for.
    virtual void setFileName(const std::string& path) = 0;
    // Reads and decodes a file ahead of need: a later setFileName of the same path starts
    // it without waiting, provided the file is still the one that was read.
    virtual void prefetch(const std::string& path) = 0;
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

    // Clamped to the range a player takes (see Volume). A change while playing ramps over
    // 10 ms of rendered audio.
    virtual Volume volume() const = 0;
    virtual void setVolume(Volume volume) = 0;
};

}  // namespace xmascard::media
