// SPDX-License-Identifier: MIT
// Whole-process start-up time: from starting a program to its first top-level window being
// mapped on the X server. Usage: startup_to_map RUNS PROGRAM [ARGS...]; prints the median and
// the range in milliseconds. Needs DISPLAY (Xvfb is fine). Not a Google Benchmark: it times
// other processes.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double timeToMap(Display* display, char** argv) {
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[0], argv);
        _exit(127);
    }
    double ms = -1;
    while (ms < 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify)
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XSelectInput(display, root, NoEventMask);
    usleep(200000);  // let the server settle before the next run
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_to_map RUNS PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_to_map: cannot open the display\n");
        return 1;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(timeToMap(display, argv + 2));
    std::sort(times.begin(), times.end());
    std::printf("%s: first window mapped after %.1f ms (median of %d; %.1f to %.1f)\n", argv[2],
                times[times.size() / 2], runs, times.front(), times.back());
    XCloseDisplay(display);
    return 0;
}
