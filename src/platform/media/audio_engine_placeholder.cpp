#include "platform/media/audio_engine.h"

// Until the audio engine lands: every output is silent and players only keep their state.
namespace xmascard::media {

namespace {

class QuietPlayer final : public Player {
  public:
    void setFileName(const std::string& path) override { file_ = path; }
    std::string fileName() const override { return file_; }
    void setAutoStart(bool) override {}
    void setPlayCount(int) override {}
    void play() override {}
    void pause() override {}
    void stop() override {}
    bool isPlaying() const override { return false; }
    double currentPosition() const override { return position_; }
    void setCurrentPosition(double s) override { position_ = s; }
    double duration() const override { return 0; }
    long volume() const override { return volume_; }
    void setVolume(long v) override { volume_ = v; }

  private:
    std::string file_;
    double position_ = 0;
    long volume_ = 0;
};

class QuietEngine final : public AudioEngine {
  public:
    Output output() const override { return Output::Silent; }
    std::unique_ptr<Player> createPlayer() override { return std::make_unique<QuietPlayer>(); }
    void render(float* out, int frames) override {
        for (int i = 0; i < 2 * frames; ++i) out[i] = 0;
    }
    void advanceTo(double) override {}
};

}  // namespace

std::unique_ptr<AudioEngine> AudioEngine::create(Output) { return std::make_unique<QuietEngine>(); }

}  // namespace xmascard::media
