// SPDX-License-Identifier: MIT
// Reads back from the X server what the end-to-end scripts check and no stock tool prints:
//
//   x_probe shape WINDOW        the window's bounding shape, one rectangle per line,
//                               "left top width height" in window pixels ("none": unshaped)
//   x_probe cursor FILE.pam     the pointer's current cursor image, written as a PAM picture
//                               (RGB_ALPHA, not premultiplied); prints "width height hotx hoty"
//
// WINDOW is a decimal or 0x-prefixed id. Exit status 1 when the display or window cannot be
// read.

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <X11/extensions/shape.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int printShape(Display* display, Window window) {
    int count = 0;
    int ordering = 0;
    Bool bounded = False, clipShaped = False;
    int bx, by, cx, cy;
    unsigned bw, bh, cw, ch;
    if (!XShapeQueryExtents(display, window, &bounded, &bx, &by, &bw, &bh, &clipShaped, &cx, &cy,
                            &cw, &ch))
        return 1;
    if (!bounded) {
        std::puts("none");
        return 0;
    }
    XRectangle* rects = XShapeGetRectangles(display, window, ShapeBounding, &count, &ordering);
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

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "shape") != 0 && std::strcmp(argv[1], "cursor") != 0)) {
        std::fputs("usage: x_probe shape WINDOW | x_probe cursor FILE.pam\n", stderr);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("x_probe: cannot open the display\n", stderr);
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const int status =
        std::strcmp(argv[1], "shape") == 0
            ? printShape(display, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)))
            : writeCursor(display, argv[2]);
    XCloseDisplay(display);
    return status;
}
