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

#include "app/command_line.h"
#include "app/start_card.h"
#include "backends/win32/win32_graphics.h"
#include "backends/win32/win32_host.h"
#include "platform/media/audio_engine.h"
#include "platform/media/win32/windows_sound.h"
#include "platform/runtime.h"
#include "platform/time/clock.h"
#include "system/win32/win32_text.h"

namespace {

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

// The arguments after the program's name, in UTF-8.
std::vector<std::string> arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    for (int i = 1; wide && i < count; ++i) out.push_back(xmascard::narrow(wide[i]));
    if (wide) LocalFree(wide);
    return out;
}

int play(const xmascard::CommandLine& line) {
    xmascard::makeDpiAware();
    auto audio = xmascard::openCardAudio(
        line, [](const std::string&) { return xmascard::media::windowsSoundSystem(); });
    xmascard::MonotonicClock realClock;
    xmascard::TickClock clock(realClock);
    xmascard::Win32Host host;
    return xmascard::startCard(line, host, *audio, clock, [&](xmascard::Runtime& runtime) {
        return host.run(runtime, clock);
    });
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    borrowConsoleStreams();
    xmascard::Win32Graphics graphics;  // counts the characters of names
    const auto read = xmascard::readCommandLine(arguments(), {.records = false}, graphics,
                                                stdout, stderr);
    const int* done = std::get_if<int>(&read);
    const int status = done ? *done : play(std::get<xmascard::CommandLine>(read));
    std::fflush(stdout);
    std::fflush(stderr);
    return status;
}
