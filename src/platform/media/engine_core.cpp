// SPDX-License-Identifier: MIT
#include "platform/media/engine_core.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/media/midi_source.h"
#include "platform/media/mixed_player.h"
#include "platform/media/mp3_decoder.h"
#include "platform/media/pcm_source.h"
#include "platform/media/smf_reader.h"

namespace xmascard::media {

void reportProblem(const std::string& subject, const std::string& message) {
    std::fprintf(stderr, "xmascard: %s: %s\n", subject.c_str(), message.c_str());
    std::fflush(stderr);
}

EngineCore::EngineCore(bool synthesize, int sampleRate, LoadPolicy policy)
    : synthesize_(synthesize), sampleRate_(sampleRate), policy_(policy), mixer_(synthesize) {
    if (synthesize_) settings_ = makeFluidSettings(sampleRate_);
}

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
    auto loaded = looksMidi ? loadMidi(data) : loadMp3(data, warning, abandon);
    if (loaded.ok()) loaded.value().identity = file.value().identity;
    return loaded;
}

void EngineCore::prepareSoundFont() {
    if (synthesize_) soundFont();  // a failure is reported when a MIDI file needs the font
}

Result<std::shared_ptr<SoundFont>> EngineCore::soundFont() {
    std::lock_guard<std::mutex> guard(soundFontMutex_);
    if (soundFont_) return Result<std::shared_ptr<SoundFont>>::success(soundFont_);
    auto loaded = SoundFont::load(settings_);
    if (loaded.ok()) soundFont_ = loaded.value();
    return loaded;
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

Result<LoadedMedia> EngineCore::loadMidi(const std::vector<std::uint8_t>& bytes) {
    auto parsed = readStandardMidiFile(bytes, sampleRate_);
    if (!parsed.ok()) return Result<LoadedMedia>::failure(parsed.error());
    LoadedMedia media;
    media.lengthFrames = parsed.value().lengthFrames;
    media.music = true;
    if (!synthesize_) return Result<LoadedMedia>::success(std::move(media));

    auto font = soundFont();
    if (!font.ok()) return Result<LoadedMedia>::failure(font.error());
    std::shared_ptr<SoundFont> soundFont = font.take();
    auto sequence = std::make_shared<const MidiSequence>(parsed.take());
    auto source = MidiSource::create(sequence, soundFont, settings_);
    if (!source.ok()) return Result<LoadedMedia>::failure(source.error());
    {
        // Reading the presets' samples here, before the piece plays, keeps file reads off
        // the audio thread.
        auto guard = mixer_.lock();
        for (const auto& [bank, program] : MidiSource::presetsOf(*sequence))
            soundFont->hold(bank, program);
        source.value()->attachSoundFont();
    }
    media.source = source.take();
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
