// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

// The calls into the page that shows the card (the `xmascardPage` object of the page's
// script): one canvas per window, live edits, the cursor, tool tips, links and the end.
// Screen pixels throughout; the page scales them.
namespace xmascard::page {

// A window of the form of this name (the page marks its canvas with it).
void makeWindow(int id, const std::string& name);
void removeWindow(int id);
void placeWindow(int id, int x, int y, int width, int height);
void showWindow(int id, bool shown);
// Stacks the windows in this order, bottom first.
void stackWindows(const int* ids, int count);
// Puts RGBA bytes (not premultiplied) into an area of a window's canvas.
void putPixels(int id, const std::uint8_t* bytes, int x, int y, int width, int height);
// A CSS cursor of a PNG (empty: the arrow) with its hot spot.
void setCursor(const std::uint8_t* png, int size, int hotX, int hotY);
void setToolTip(const std::string& text);
// Live edits by number within their window: place, look and text, shown or not.
struct EditLook {
    std::string text;
    std::string font;                  // CSS
    std::uint32_t fore = 0, back = 0;  // 0xRRGGBB
    int align = 0;                     // 0 left, 1 right, 2 centre
    bool bordered = false;
};
void syncEdit(int window, int edit, int x, int y, int width, int height, bool shown,
              const EditLook& look);
bool openUrl(const std::string& address);
// The card ended: everything of it leaves the page.
void endCard();
int viewportWidth();
int viewportHeight();
// The card's screen, which the page scales to fit its viewport (and again when that changes).
void setScreen(int width, int height);
// Stereo samples (interleaved floats) played `at` seconds of the show's time.
void playSound(const float* samples, int frames, double at);

}  // namespace xmascard::page
