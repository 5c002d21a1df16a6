// SPDX-License-Identifier: MIT
#include "platform/media/engine_core.h"

#include <cstdio>
#include <cstring>

#include "platform/media/file_bytes.h"
#include "platform/media/mp3_decoder.h"
#include "platform/media/pcm_source.h"
#include "platform/media/smf_reader.h"
#ifndef XMASCARD_NO_SYNTHESIZER
#include "platform/media/midi_source.h"
#endif

namespace xmascard::media {

void reportProblem(const std::string& subject, const std::string& message) {
    std::fprintf(stderr, "xmascard: %s: %s\n", subject.c_str(), message.c_str());
    std::fflush(stderr);
}

EngineCore::EngineCore(bool synthesize, int sampleRate)
    : synthesize_(synthesize), sampleRate_(sampleRate), mixer_(synthesize) {
#ifndef XMASCARD_NO_SYNTHESIZER
    if (synthesize_) settings_ = makeFluidSettings(sampleRate_);
#endif
}

Result<LoadedMedia> EngineCore::load(const std::string& path, std::string& warning) {
    auto bytes = readWholeFile(path, kMaxFileBytes);
    if (!bytes.ok()) return Result<LoadedMedia>::failure(bytes.error());
    const std::vector<std::uint8_t>& data = bytes.value();
    const bool looksMidi = data.size() >= 4 && std::memcmp(data.data(), "MThd", 4) == 0;
    if (looksMidi && data.size() > kMaxMidiBytes) {
        return Result<LoadedMedia>::failure("a MIDI file larger than " +
                                            std::to_string(kMaxMidiBytes / (1024 * 1024)) +
                                            " MB is not played");
    }
    return looksMidi ? loadMidi(data) : loadMp3(data, warning);
}

void EngineCore::prepareSoundFont() {
#ifndef XMASCARD_NO_SYNTHESIZER
    if (!synthesize_ || soundFont_) return;
    // A failure is reported when a MIDI file needs the font.
    auto soundFont = SoundFont::load(settings_);
    if (soundFont.ok()) soundFont_ = soundFont.take();
#endif
}

Result<LoadedMedia> EngineCore::loadMidi(const std::vector<std::uint8_t>& bytes) {
    auto parsed = readStandardMidiFile(bytes, sampleRate_);
    if (!parsed.ok()) return Result<LoadedMedia>::failure(parsed.error());
    LoadedMedia media;
    media.lengthFrames = parsed.value().lengthFrames;
    if (!synthesize_) return Result<LoadedMedia>::success(std::move(media));
#ifdef XMASCARD_NO_SYNTHESIZER
    return Result<LoadedMedia>::failure("this build has no MIDI synthesizer");
#else

    if (!soundFont_) {
        auto soundFont = SoundFont::load(settings_);
        if (!soundFont.ok()) return Result<LoadedMedia>::failure(soundFont.error());
        soundFont_ = soundFont.take();
    }
    auto sequence = std::make_shared<const MidiSequence>(parsed.take());
    auto source = MidiSource::create(sequence, soundFont_, settings_);
    if (!source.ok()) return Result<LoadedMedia>::failure(source.error());
    {
        // Reading the presets' samples here, before the piece plays, keeps file reads off
        // the audio thread.
        auto guard = mixer_.lock();
        for (const auto& [bank, program] : MidiSource::presetsOf(*sequence))
            soundFont_->hold(bank, program);
        source.value()->attachSoundFont();
    }
    media.source = source.take();
    return Result<LoadedMedia>::success(std::move(media));
#endif
}

Result<LoadedMedia> EngineCore::loadMp3(const std::vector<std::uint8_t>& bytes,
                                        std::string& warning) {
    auto decoded = decodeMp3(bytes, sampleRate_, warning);
    if (!decoded.ok()) return Result<LoadedMedia>::failure(decoded.error());
    LoadedMedia media;
    media.lengthFrames = decoded.value().frames();
    if (synthesize_) {
        media.source = std::make_unique<PcmSource>(std::make_shared<const PcmClip>(decoded.take()));
    }
    return Result<LoadedMedia>::success(std::move(media));
}

}  // namespace xmascard::media
