// SPDX-License-Identifier: MIT
#include "platform/media/mixer.h"

#include <algorithm>

namespace xmascard::media {

void Voice::endPass() {
    ++passesDone;
    if (playCount == 0 || passesDone < playCount) {
        position = 0;
        sourceInSync = false;
    } else {
        playing = false;
        position = lengthFrames;
        passesDone = 0;
    }
}

void Voice::setGain(float newGain, int rampLength) {
    targetGain = newGain;
    if (!playing || rampLength <= 0) {
        gain = newGain;
        rampFrames = 0;
        gainStep = 0.0f;
        return;
    }
    rampFrames = rampLength;
    gainStep = (newGain - gain) / static_cast<float>(rampLength);
}

void Mixer::addVoice(Voice* voice) { voices_.push_back(voice); }

void Mixer::removeVoice(Voice* voice) {
    voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
}

std::int64_t Mixer::framesDone() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return framesDone_;
}

void Mixer::renderPlanar(float* left, float* right, int frames) {
    for (int done = 0; done < frames;) {
        int count = std::min(frames - done, kBlockFrames);
        std::lock_guard<std::mutex> guard(mutex_);
        mixBlock(count);
        framesDone_ += count;
        std::copy(mixLeft_.begin(), mixLeft_.begin() + count, left + done);
        std::copy(mixRight_.begin(), mixRight_.begin() + count, right + done);
        done += count;
    }
}

void Mixer::renderInterleaved(float* out, int frames) {
    for (int done = 0; done < frames;) {
        int count = std::min(frames - done, kBlockFrames);
        std::lock_guard<std::mutex> guard(mutex_);
        mixBlock(count);
        framesDone_ += count;
        float* dst = out + 2 * done;
        for (int i = 0; i < count; ++i) {
            dst[2 * i] = mixLeft_[i];
            dst[2 * i + 1] = mixRight_[i];
        }
        done += count;
    }
}

void Mixer::advance(std::int64_t frames) {
    while (frames > 0) {
        int count = static_cast<int>(std::min<std::int64_t>(frames, kBlockFrames * 64));
        std::lock_guard<std::mutex> guard(mutex_);
        for (Voice* voice : voices_) runVoice(*voice, count, false);
        framesDone_ += count;
        frames -= count;
    }
}

void Mixer::mixBlock(int frames) {
    std::fill(mixLeft_.begin(), mixLeft_.begin() + frames, 0.0f);
    std::fill(mixRight_.begin(), mixRight_.begin() + frames, 0.0f);
    for (Voice* voice : voices_) {
        if (!voice->playing) continue;
        const bool render = synthesize_ && voice->source != nullptr;
        const int played = runVoice(*voice, frames, render);
        if (!render) continue;
        int i = 0;
        for (; i < played && voice->rampFrames > 0; ++i, --voice->rampFrames) {
            voice->gain += voice->gainStep;
            mixLeft_[i] += voiceLeft_[i] * voice->gain;
            mixRight_[i] += voiceRight_[i] * voice->gain;
        }
        if (voice->rampFrames == 0) voice->gain = voice->targetGain;
        const float gain = voice->gain;
        for (; i < played; ++i) {
            mixLeft_[i] += voiceLeft_[i] * gain;
            mixRight_[i] += voiceRight_[i] * gain;
        }
    }
}

int Mixer::runVoice(Voice& voice, int frames, bool render) {
    if (voice.lengthFrames <= 0) {
        voice.playing = false;
        return 0;
    }
    int done = 0;
    while (done < frames && voice.playing) {
        if (voice.position >= voice.lengthFrames) {
            voice.endPass();
            continue;
        }
        if (render && !voice.sourceInSync) {
            voice.source->seek(voice.position);
            voice.sourceInSync = true;
        }
        int count = static_cast<int>(
            std::min<std::int64_t>(frames - done, voice.lengthFrames - voice.position));
        if (render)
            voice.source->render(voiceLeft_.data() + done, voiceRight_.data() + done, count);
        voice.position += count;
        done += count;
        if (voice.position >= voice.lengthFrames) voice.endPass();
    }
    if (!render) voice.sourceInSync = false;
    return done;
}

}  // namespace xmascard::media
