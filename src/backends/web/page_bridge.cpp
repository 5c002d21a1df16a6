// SPDX-License-Identifier: MIT
#include "backends/web/page_bridge.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, xmascard_make_window, (int id, const char* name),
      { xmascardPage.makeWindow(id, UTF8ToString(name)); });
EM_JS(void, xmascard_remove_window, (int id), { xmascardPage.removeWindow(id); });
EM_JS(void, xmascard_place_window, (int id, int x, int y, int w, int h),
      { xmascardPage.placeWindow(id, x, y, w, h); });
EM_JS(void, xmascard_show_window, (int id, int shown), { xmascardPage.showWindow(id, !!shown); });
EM_JS(void, xmascard_stack_windows, (const int* ids, int count),
      { xmascardPage.stackWindows(Array.from(HEAP32.subarray(ids >> 2, (ids >> 2) + count))); });
EM_JS(void, xmascard_put_pixels, (int id, const void* bytes, int x, int y, int w, int h), {
    xmascardPage.putPixels(id, new Uint8ClampedArray(HEAPU8.buffer, bytes, w * h * 4), x, y, w, h);
});
EM_JS(void, xmascard_set_cursor, (const void* png, int size, int x, int y),
      { xmascardPage.setCursor(size ? HEAPU8.slice(png, png + size) : null, x, y); });
EM_JS(void, xmascard_set_tool_tip, (const char* text),
      { xmascardPage.setToolTip(UTF8ToString(text)); });
EM_JS(void, xmascard_sync_edit, (int window, int edit, int x, int y, int w, int h, int shown,
                                 const char* text, const char* font, int fore, int back,
                                 int align, int bordered), {
    xmascardPage.syncEdit(window, edit, x, y, w, h, !!shown, UTF8ToString(text),
                          UTF8ToString(font), fore, back, align, !!bordered);
});
EM_JS(int, xmascard_open_url, (const char* address),
      { return xmascardPage.openUrl(UTF8ToString(address)) ? 1 : 0; });
EM_JS(void, xmascard_end_card, (), { xmascardPage.endCard(); });
EM_JS(int, xmascard_viewport_width, (), { return xmascardPage.viewportWidth(); });
EM_JS(int, xmascard_viewport_height, (), { return xmascardPage.viewportHeight(); });
EM_JS(void, xmascard_set_screen, (int w, int h), { xmascardPage.setScreen(w, h); });
EM_JS(void, xmascard_play_sound, (const float* samples, int frames, double at), {
    xmascardPage.playSound(HEAPF32.subarray(samples >> 2, (samples >> 2) + frames * 2), frames, at);
});
// clang-format on

namespace xmascard::page {

void makeWindow(int id, const std::string& name) { xmascard_make_window(id, name.c_str()); }
void removeWindow(int id) { xmascard_remove_window(id); }
void placeWindow(int id, int x, int y, int width, int height) {
    xmascard_place_window(id, x, y, width, height);
}
void showWindow(int id, bool shown) { xmascard_show_window(id, shown); }
void stackWindows(const int* ids, int count) { xmascard_stack_windows(ids, count); }
void putPixels(int id, const std::uint8_t* bytes, int x, int y, int width, int height) {
    xmascard_put_pixels(id, bytes, x, y, width, height);
}
void setCursor(const std::uint8_t* png, int size, int hotX, int hotY) {
    xmascard_set_cursor(png, size, hotX, hotY);
}
void setToolTip(const std::string& text) { xmascard_set_tool_tip(text.c_str()); }
void syncEdit(int window, int edit, int x, int y, int width, int height, bool shown,
              const EditLook& look) {
    xmascard_sync_edit(window, edit, x, y, width, height, shown, look.text.c_str(),
                       look.font.c_str(), static_cast<int>(look.fore), static_cast<int>(look.back),
                       look.align, look.bordered);
}
bool openUrl(const std::string& address) { return xmascard_open_url(address.c_str()) != 0; }
void endCard() { xmascard_end_card(); }
int viewportWidth() { return xmascard_viewport_width(); }
int viewportHeight() { return xmascard_viewport_height(); }
void setScreen(int width, int height) { xmascard_set_screen(width, height); }
void playSound(const float* samples, int frames, double at) {
    xmascard_play_sound(samples, frames, at);
}

}  // namespace xmascard::page
