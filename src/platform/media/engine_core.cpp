// SPDX-License-Identifier: MIT
#include "platform/media/engine_core.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/io/shown_text.h"
#include "platform/media/midi_source.h"
#include "platform/media/mixed_player.h"
#include "platform/media/mp3_decoder.h"
#include "platform/media/pcm_source.h"
#include "platform/media/smf_reader.h"

namespace xmascard::media {

void reportProblem(const std::string& subject, const std::string& message) {
    std::fprintf(stderr, "xmascard: %s: %s\n", io::shown(subject).c_str(),
                 io::shown(message).c_str());
    std::fflush(stderr);
}

EngineCore::EngineCore(bool synthesize, int sampleRate, LoadPolicy policy,
                       std::shared_ptr<Music> music)
    : synthesize_(synthesize),
      sampleRate_(sampleRate),
      policy_(policy),
      music_(std::move(music)),
      mixer_(synthesize) {}

Result<LoadedMedia> EngineCore::load(const std::string& path, std::string& warning,
                                     const std::atomic<bool>* abandon) {
    auto file = io::readRegularFile(path, kMaxFileBytes);
    if (!file.ok()) {
        return Result<LoadedMedia>::failure("cannot read (" + file.error() + ")");
    }
    const std::vector<std::uint8_t>& data = file.value().bytes;
    const bool looksMidi = data.size() >= 4 && std::memcmp(data.data(), "MThd", 4) == 0;
    if (looksMidi && data.size() > kMaxMidiBytes) {
        return Result<LoadedMedia>::failure("a MIDI file larger than " +
                                            std::to_string(kMaxMidiBytes / (1024 * 1024)) +
                                            " MB is not played");
    }
    auto loaded = looksMidi ? loadMidi(data, warning) : loadMp3(data, warning, abandon);
    if (loaded.ok()) loaded.value().identity = file.value().identity;
    return loaded;
}

void EngineCore::prepareMusic() {
    if (synthesize_ && music_) music_->prepare();
}

void EngineCore::addWaiting(MixedPlayer* player) {
    if (std::find(waiting_.begin(), waiting_.end(), player) == waiting_.end())
        waiting_.push_back(player);
}

void EngineCore::removeWaiting(MixedPlayer* player) { std::erase(waiting_, player); }

void EngineCore::deliverLoads() {
    // A delivery may start another load (the file changed meanwhile): walk a copy.
    const std::vector<MixedPlayer*> waiting = waiting_;
    for (MixedPlayer* player : waiting) player->deliver();
}

// A piece with nothing to play it on (no SoundFont, no MIDI device) is still the player's:
// it runs silently, so that its time and length show and the show's tests of its position
// hold, and the reason is told as a warning.
Result<LoadedMedia> EngineCore::loadMidi(const std::vector<std::uint8_t>& bytes,
                                         std::string& warning) {
    auto parsed = readStandardMidiFile(bytes, sampleRate_);
    if (!parsed.ok()) return Result<LoadedMedia>::failure(parsed.error());
    LoadedMedia media;
    media.lengthFrames = parsed.value().lengthFrames;
    media.music = true;
    if (!synthesize_) return Result<LoadedMedia>::success(std::move(media));

    if (!music_) {
        warning = "no synthesizer to play it on";
        return Result<LoadedMedia>::success(std::move(media));
    }
    auto sequence = std::make_shared<const MidiSequence>(parsed.take());
    auto synthesizer = music_->synthesizerFor(*sequence);
    if (!synthesizer.ok()) {
        warning = synthesizer.error();
        return Result<LoadedMedia>::success(std::move(media));
    }
    auto source = std::make_unique<MidiSource>(sequence, synthesizer.take());
    {
        auto guard = mixer_.lock();
        music_->ready(source->synthesizer(), *sequence);
    }
    media.source = std::move(source);
    return Result<LoadedMedia>::success(std::move(media));
}

Result<LoadedMedia> EngineCore::loadMp3(const std::vector<std::uint8_t>& bytes,
                                        std::string& warning, const std::atomic<bool>* abandon) {
    Mp3Limits limits;
    limits.abandon = abandon;
    auto decoded = decodeMp3(bytes, sampleRate_, warning, limits);
    if (!decoded.ok()) return Result<LoadedMedia>::failure(decoded.error());
    LoadedMedia media;
    media.lengthFrames = decoded.value().frames();
    if (synthesize_) {
        media.source = std::make_unique<PcmSource>(std::make_shared<const PcmClip>(decoded.take()));
    }
    return Result<LoadedMedia>::success(std::move(media));
}

}  // namespace xmascard::media
