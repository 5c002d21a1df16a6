// Prints the bounding shape of an X window as rectangles, one "WxH+X+Y" per line, in window
// coordinates; "none" when the window has no shape of its own. For the end-to-end tests.
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: xshape_dump WINDOW_ID\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xshape_dump: cannot open the display\n");
        return 1;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    Bool bounding = False, clip = False;
    int bx, by, cx, cy;
    unsigned bw, bh, cw, ch;
    XShapeQueryExtents(display, window, &bounding, &bx, &by, &bw, &bh, &clip, &cx, &cy, &cw, &ch);
    if (!bounding) {
        std::puts("none");
        XCloseDisplay(display);
        return 0;
    }
    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(display, window, ShapeBounding, &count, &ordering);
    for (int i = 0; i < count; ++i)
        std::printf("%ux%u+%d+%d\n", rects[i].width, rects[i].height, rects[i].x, rects[i].y);
    XFree(rects);
    XCloseDisplay(display);
    return 0;
}
