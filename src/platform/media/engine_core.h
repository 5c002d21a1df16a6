// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/io/regular_file.h"
#include "platform/media/audio_engine.h"
#include "platform/media/mixer.h"
#include "platform/media/result.h"
#include "platform/media/source.h"
#include "platform/media/synthesizer.h"

namespace xmascard::media {

// A file made ready to play: its source (null when the engine only keeps time), the
// length of one pass, and which version of the file it was made from.
struct LoadedMedia {
    std::unique_ptr<Source> source;
    std::int64_t lengthFrames = 0;
    io::FileIdentity identity;
    bool music = false;  // a MIDI piece, else sampled sound
};

class MixedPlayer;

// What an engine and its players share: the mixer and, for engines that synthesize, the
// music their MIDI pieces play on. Players and the threads that load files hold it by
// shared pointer, so either may outlive the engine.
class EngineCore {
  public:
    static constexpr std::size_t kMaxMidiBytes = 4u * 1024 * 1024;
    static constexpr std::size_t kMaxFileBytes = 16u * 1024 * 1024;

    // An engine that synthesizes renders its pieces' sound through `music` (none: MIDI
    // pieces cannot be played, only timed).
    EngineCore(bool synthesize, int sampleRate, LoadPolicy policy = {},
               std::shared_ptr<Music> music = nullptr);

    Mixer& mixer() { return mixer_; }
    bool synthesizes() const { return synthesize_; }
    int sampleRate() const { return sampleRate_; }
    const LoadPolicy& policy() const { return policy_; }

    // Reads and prepares a file: a Standard MIDI File when it starts with "MThd", an
    // MP3 file otherwise. Only a regular file is read, without blocking on anything else.
    // Safe on any thread (files load on threads of their own, see LoadJob); it takes the
    // mixer's lock only to attach a MIDI piece's presets. A failure gives the message to
    // print; `warning` is set when the file loads with a problem. Stops early, failing,
    // once `abandon` is set.
    Result<LoadedMedia> load(const std::string& path, std::string& warning,
                             const std::atomic<bool>* abandon = nullptr);

    // Loads what the music needs now instead of for the first MIDI file.
    void prepareMusic();

    // The user-interface thread's list of players that wait for a file being loaded.
    void addWaiting(MixedPlayer* player);
    void removeWaiting(MixedPlayer* player);
    // Hands every finished load to its player.
    void deliverLoads();
    // User-interface thread: what players have loaded to be heard (a piece that runs
    // silently, with nothing to play it on, is not).
    void noteLoaded(const LoadedMedia& media) {
        if (synthesize_ && !media.source) return;
        (media.music ? loaded_.music : loaded_.sampled) = true;
    }
    SoundsLoaded soundsLoaded() const { return loaded_; }

  private:
    Result<LoadedMedia> loadMidi(const std::vector<std::uint8_t>& bytes, std::string& warning);
    Result<LoadedMedia> loadMp3(const std::vector<std::uint8_t>& bytes, std::string& warning,
                                const std::atomic<bool>* abandon);

    const bool synthesize_;
    const int sampleRate_;
    const LoadPolicy policy_;
    const std::shared_ptr<Music> music_;
    Mixer mixer_;
    std::vector<MixedPlayer*> waiting_;
    SoundsLoaded loaded_;
};

// Prints "xmascard: <subject>: <message>" as one line on standard error, whatever the two
// hold (see io::shown).
void reportProblem(const std::string& subject, const std::string& message);

}  // namespace xmascard::media
