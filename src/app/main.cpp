#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/display_check.h"
#include "platform/form_window.h"
#include "platform/media/audio_engine.h"
#include "platform/real_time_loop.h"
#include "platform/runtime.h"
#include "platform/web_browser.h"
#include "show/program.h"

namespace {

constexpr const char* kVersion = "1.00";

void printHelp() {
    std::puts(
        "Usage: xmascard [OPTION]\n"
        "An animated Christmas and New Year greeting card. Started without options it\n"
        "plays its show of a little over a minute in the middle of the screen and ends.\n"
        "\n"
        "  --help       show this help and exit\n"
        "  --version    show the version and exit\n"
        "\n"
        "While it runs: drag the cherub or the card with the left mouse button; click the\n"
        "question mark on the tree for a message, and the plug to end the card at once.");
}

xmascard::media::AudioEngine::Output chosenAudioOutput() {
    const char* audio = std::getenv("XMASCARD_AUDIO");
    if (audio && std::strcmp(audio, "none") == 0)
        return xmascard::media::AudioEngine::Output::Silent;
    return xmascard::media::AudioEngine::Output::Device;
}

int runCard(int argc, char** argv) {
    if (const auto problem = xmascard::prepareDisplay()) {
        std::fprintf(stderr, "xmascard: %s\n", problem->c_str());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("xmascard");
    QApplication::setApplicationVersion(kVersion);
    QApplication::setQuitOnLastWindowClosed(false);

    xmascard::MonotonicClock clock;
    auto audio = xmascard::media::AudioEngine::create(chosenAudioOutput());
    xmascard::Runtime runtime(clock, *audio);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    runtime.setScreen({screen.width(), screen.height()});
    runtime.setViewFactory(&xmascard::FormWindow::create);
    runtime.openUrl = &xmascard::openInBrowser;

    xmascard::RealTimeLoop loop(runtime);
    xmascard::Program program(runtime);
    program.start();
    loop.start();
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            printHelp();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("xmascard %s\n", kVersion);
            return 0;
        }
        std::fprintf(stderr, "xmascard: unknown option %s (try --help)\n", argv[i]);
        return 2;
    }
    return runCard(argc, argv);
}
