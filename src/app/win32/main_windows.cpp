// SPDX-License-Identifier: MIT
// The card's entry point on Windows: a GUI program (no console window of its own) that
// still answers --help and --version in the console it was started from.
// clang-format off
#include "system/win32/win32_windows.h"
#include <shellapi.h>
// clang-format on

#include <cstdio>
#include <string>
#include <vector>

#include "app/audio_choice.h"
#include "app/win32/windows_command_line.h"
#include "backends/win32/win32_graphics.h"
#include "backends/win32/win32_host.h"
#include "platform/io/files.h"
#include "platform/media/audio_engine.h"
#include "platform/media/win32/windows_sound.h"
#include "platform/runtime.h"
#include "platform/time/clock.h"
#include "show/program.h"
#include "system/win32/win32_text.h"

namespace {

constexpr const char* kVersion = "1.00";

// A GUI program has no standard streams when started from a console: it borrows the
// console's, so its messages are seen there. Streams handed over (a pipe, a file, Wine's
// terminal) are kept.
void borrowConsoleStreams() {
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (err && err != INVALID_HANDLE_VALUE) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

std::vector<std::string> arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    for (int i = 1; wide && i < count; ++i) out.push_back(xmascard::narrow(wide[i]));
    if (wide) LocalFree(wide);
    return out;
}

void printHelp() {
    std::puts(
        "Usage: xmascard [OPTION]...\n"
        "An animated Christmas and New Year greeting card. Started without options it\n"
        "plays its show of a little over a minute in the middle of the screen and ends.\n"
        "\n"
        "  --help             show this help and exit\n"
        "  --version          show the version and exit\n"
        "  --to NAME          the receiver's name, written inside the card, which then\n"
        "                     opens at the end of the show (up to 40 characters)\n"
        "  --from NAME        the sender's name, written inside the card likewise\n"
        "\n"
        "While it runs: drag the cherub or the card with the left mouse button; click the\n"
        "blue question mark on the presents for a message, and the plug to end the card\n"
        "at once.");
}

int runCard(const xmascard::CardNames& names) {
    xmascard::makeDpiAware();
    xmascard::MonotonicClock realClock;
    xmascard::TickClock clock(realClock);
    // As on Linux: the sound device opens in the background, and files join the show as
    // they are loaded, so nothing holds up the window. XMASCARD_AUDIO=none silences the card.
    const xmascard::AudioChoice choice =
        xmascard::audioChoiceFor(xmascard::Environ("XMASCARD_AUDIO"));
    auto audio = xmascard::media::AudioEngine::create(
        choice.silent ? xmascard::media::AudioEngine::Output::Silent
                      : xmascard::media::AudioEngine::Output::Device,
        {.loading = xmascard::media::Loading::Background}, xmascard::media::windowsSoundSystem());
    xmascard::Win32Host host;
    xmascard::Runtime runtime(clock, *audio, host);
    xmascard::Program program(runtime, names);
    program.start();
    return host.run(runtime, clock);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    borrowConsoleStreams();
    xmascard::Win32Graphics graphics;  // counts the characters of names
    const auto line = xmascard::parseWindowsCommandLine(arguments(), graphics);
    if (const auto* error = std::get_if<xmascard::WindowsUsageError>(&line)) {
        std::fprintf(stderr, "xmascard: %s\n", error->message.c_str());
        return 2;
    }
    const auto& command = std::get<xmascard::WindowsCommandLine>(line);
    if (command.action == xmascard::WindowsCommandLine::Action::ShowHelp) {
        printHelp();
        return 0;
    }
    if (command.action == xmascard::WindowsCommandLine::Action::ShowVersion) {
        std::printf("xmascard %s\n", kVersion);
        return 0;
    }
    const int status = runCard(command.names);
    std::fflush(stdout);
    std::fflush(stderr);
    return status;
}
