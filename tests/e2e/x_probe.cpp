// SPDX-License-Identifier: MIT
// Reads back from the X server what the end-to-end scripts check and no stock tool prints:
//
//   x_probe shape WINDOW        the window's bounding shape, one rectangle per line,
//                               "left top width height" in window pixels ("none": unshaped)
//   x_probe input WINDOW        the same for its input shape
//   x_probe cursor FILE.pam     the pointer's current cursor image, written as a PAM picture
//                               (RGB_ALPHA, not premultiplied); prints "width height hotx hoty"
//   x_probe watch PID           every 50 ms until process PID ends, one line per change:
//                               "T focus WINDOW" (the keyboard focus),
//                               "T listed WINDOW" (a window of PID in the window manager's
//                               client list, which taskbars and pagers show),
//                               "T window WINDOW NAME MAPPED X Y W H" (a top-level window of
//                               PID: its name, 1 when viewable, its place on the screen);
//                               T is seconds since the watch began; a first line
//                               "0.00 start EPOCH" gives when that was (real-time seconds)
//   x_probe outlines PID        every 20 ms until killed, the outlines of the viewable
//                               top-level windows of process PID, each different one once:
//                               "NAME|BOUNDING|INPUT", each shape as "x,y,w,h" rectangles
//                               apart by spaces ("none": unshaped)
//   x_probe backdrop RRGGBB     a window of the desktop's type over the whole screen, in
//                               that colour, until it is killed: a wallpaper for
//                               compositors that draw none
//   x_probe close WINDOW        asks the window to close, as a window manager's close
//                               button does (a WM_DELETE_WINDOW message)
//
// WINDOW is a decimal or 0x-prefixed id. Exit status 1 when the display or window cannot be
// read.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <X11/extensions/shape.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

int printShape(Display* display, Window window, int kind) {
    int count = 0;
    int ordering = 0;
    Bool bounded = False, clipShaped = False;
    int bx, by, cx, cy;
    unsigned bw, bh, cw, ch;
    if (!XShapeQueryExtents(display, window, &bounded, &bx, &by, &bw, &bh, &clipShaped, &cx, &cy,
                            &cw, &ch))
        return 1;
    if (kind == ShapeBounding && !bounded) {
        std::puts("none");
        return 0;
    }
    XRectangle* rects = XShapeGetRectangles(display, window, kind, &count, &ordering);
    for (int i = 0; i < count; ++i)
        std::printf("%d %d %u %u\n", rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    if (rects) XFree(rects);
    return 0;
}

unsigned char unpremultiply(unsigned long channel, unsigned long alpha) {
    return static_cast<unsigned char>(alpha ? (channel * 255 + alpha / 2) / alpha : 0);
}

int writeCursor(Display* display, const char* path) {
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image) return 1;
    std::FILE* out = std::fopen(path, "wb");
    if (!out) return 1;
    std::fprintf(out, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n",
                 image->width, image->height);
    const int pixels = image->width * image->height;
    for (int i = 0; i < pixels; ++i) {
        const unsigned long p = image->pixels[i];  // premultiplied ARGB in the low 32 bits
        const unsigned long a = (p >> 24) & 0xFF;
        const unsigned char rgba[4] = {unpremultiply((p >> 16) & 0xFF, a),
                                       unpremultiply((p >> 8) & 0xFF, a),
                                       unpremultiply(p & 0xFF, a), static_cast<unsigned char>(a)};
        std::fwrite(rgba, 1, 4, out);
    }
    std::fclose(out);
    std::printf("%d %d %d %d\n", image->width, image->height, image->xhot, image->yhot);
    XFree(image);
    return 0;
}

// Reads a property of 32-bit items (CARDINAL or WINDOW lists).
std::vector<unsigned long> longProperty(Display* display, Window window, const char* name,
                                        Atom type) {
    Atom actual = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> out;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 4096, False, type,
                           &actual, &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        out.assign(items, items + count);
    }
    if (data) XFree(data);
    return out;
}

bool ownedBy(Display* display, Window window, unsigned long pid) {
    const auto pids = longProperty(display, window, "_NET_WM_PID", XA_CARDINAL);
    return !pids.empty() && pids[0] == pid;
}

std::string nameOf(Display* display, Window window) {
    char* name = nullptr;
    std::string out = "-";
    if (XFetchName(display, window, &name) && name && *name) out = name;
    if (name) XFree(name);
    for (char& c : out)
        if (c == ' ') c = '_';
    return out;
}

// The windows of the process among the root's children and their children (a window
// manager's frames hold the windows it manages).
void windowsOf(Display* display, Window parent, unsigned long pid, int depth,
               std::vector<Window>& out) {
    Window root, up, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) return;
    for (unsigned i = 0; i < count; ++i) {
        if (ownedBy(display, children[i], pid))
            out.push_back(children[i]);
        else if (depth > 0)
            windowsOf(display, children[i], pid, depth - 1, out);
    }
    if (children) XFree(children);
}

int watch(Display* display, unsigned long pid) {
    const Window root = DefaultRootWindow(display);
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    timespec epoch{};
    clock_gettime(CLOCK_REALTIME, &epoch);
    std::printf("0.00 start %.3f\n", double(epoch.tv_sec) + epoch.tv_nsec / 1e9);
    Window lastFocus = 1;  // no real window id
    std::set<Window> listed;
    std::map<Window, std::string> last;
    while (kill(static_cast<pid_t>(pid), 0) == 0) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const double t = double(now.tv_sec - start.tv_sec) + (now.tv_nsec - start.tv_nsec) / 1e9;
        Window focus = None;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        if (focus != lastFocus) std::printf("%.2f focus 0x%lx\n", t, focus);
        lastFocus = focus;
        for (unsigned long client : longProperty(display, root, "_NET_CLIENT_LIST", XA_WINDOW))
            if (!listed.count(client) && ownedBy(display, client, pid)) {
                listed.insert(client);
                std::printf("%.2f listed 0x%lx\n", t, client);
            }
        std::vector<Window> windows;
        windowsOf(display, root, pid, 1, windows);
        for (Window window : windows) {
            XWindowAttributes a{};
            if (!XGetWindowAttributes(display, window, &a)) continue;
            int x = 0, y = 0;
            Window child;
            XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child);
            char line[256];
            std::snprintf(line, sizeof line, "%s %d %d %d %d %d", nameOf(display, window).c_str(),
                          a.map_state == IsViewable ? 1 : 0, x, y, a.width, a.height);
            if (last[window] != line) std::printf("%.2f window 0x%lx %s\n", t, window, line);
            last[window] = line;
        }
        std::fflush(stdout);
        usleep(50 * 1000);
    }
    return 0;
}

std::string shapeText(Display* display, Window window, int kind) {
    Bool bounded = False, clipShaped = False;
    int bx, by, cx, cy;
    unsigned bw, bh, cw, ch;
    if (kind == ShapeBounding && (!XShapeQueryExtents(display, window, &bounded, &bx, &by, &bw, &bh,
                                                      &clipShaped, &cx, &cy, &cw, &ch) ||
                                  !bounded))
        return "none";
    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(display, window, kind, &count, &ordering);
    std::string out;
    for (int i = 0; i < count; ++i)
        out += (i ? " " : "") + std::to_string(rects[i].x) + "," + std::to_string(rects[i].y) +
               "," + std::to_string(rects[i].width) + "," + std::to_string(rects[i].height);
    if (rects) XFree(rects);
    return out;
}

int outlines(Display* display, unsigned long pid) {
    std::set<std::string> seen;
    for (;;) {
        std::vector<Window> windows;
        windowsOf(display, DefaultRootWindow(display), pid, 1, windows);
        for (Window window : windows) {
            XWindowAttributes a{};
            if (!XGetWindowAttributes(display, window, &a) || a.map_state != IsViewable) continue;
            const std::string line = nameOf(display, window) + "|" +
                                     shapeText(display, window, ShapeBounding) + "|" +
                                     shapeText(display, window, ShapeInput);
            if (seen.insert(line).second) std::printf("%s\n", line.c_str());
        }
        std::fflush(stdout);
        usleep(20 * 1000);
    }
}

int askToClose(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    if (!XSendEvent(display, window, False, NoEventMask, &event)) return 1;
    XSync(display, False);
    return 0;
}

int backdrop(Display* display, unsigned long rgb) {
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = rgb;
    const Window window =
        XCreateWindow(display, RootWindow(display, screen), 0, 0, DisplayWidth(display, screen),
                      DisplayHeight(display, screen), 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWBackPixel, &attributes);
    const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM,
                    32, PropModeReplace, reinterpret_cast<const unsigned char*>(&type), 1);
    XStoreName(display, window, "backdrop");
    XMapWindow(display, window);
    XFlush(display);
    for (;;) pause();
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "shape" && mode != "input" && mode != "cursor" && mode != "watch" &&
        mode != "close" && mode != "backdrop" && mode != "outlines") {
        std::fputs(
            "usage: x_probe shape|input|close WINDOW | x_probe cursor FILE.pam | "
            "x_probe watch|outlines PID | x_probe backdrop RRGGBB\n",
            stderr);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("x_probe: cannot open the display\n", stderr);
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const unsigned long number = std::strtoul(argv[2], nullptr, 0);
    const auto window = static_cast<Window>(number);
    const int status = mode == "shape"      ? printShape(display, window, ShapeBounding)
                       : mode == "input"    ? printShape(display, window, ShapeInput)
                       : mode == "cursor"   ? writeCursor(display, argv[2])
                       : mode == "close"    ? askToClose(display, static_cast<Window>(number))
                       : mode == "backdrop" ? backdrop(display, std::strtoul(argv[2], nullptr, 16))
                       : mode == "outlines" ? outlines(display, number)
                                            : watch(display, number);
    XCloseDisplay(display);
    return status;
}
