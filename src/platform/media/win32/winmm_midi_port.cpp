// SPDX-License-Identifier: MIT
#include "platform/media/win32/winmm_midi_port.h"

#include "platform/media/win32/winmm_text.h"

namespace xmascard::media {
namespace {

class WinmmMidiPort final : public MidiPort {
  public:
    explicit WinmmMidiPort(HMIDIOUT out) : out_(out) {}
    ~WinmmMidiPort() override {
        midiOutReset(out_);  // every note off, on every channel
        midiOutClose(out_);
    }
    WinmmMidiPort(const WinmmMidiPort&) = delete;
    WinmmMidiPort& operator=(const WinmmMidiPort&) = delete;

    void send(std::uint32_t message) override { midiOutShortMsg(out_, message); }

  private:
    HMIDIOUT out_;
};

}  // namespace

std::unique_ptr<MidiPort> openSystemMidiPort(std::string& why) {
    // winmm's words for a missing device speak of a damaged MIDI setup: say what it is.
    if (midiOutGetNumDevs() == 0) {
        why = "midiOut: the system has none";
        return nullptr;
    }
    HMIDIOUT out = nullptr;
    const MMRESULT result = midiOutOpen(&out, MIDI_MAPPER, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        why = midiOutProblem("midiOutOpen", result);
        return nullptr;
    }
    return std::make_unique<WinmmMidiPort>(out);
}

}  // namespace xmascard::media
