// SPDX-License-Identifier: MIT
// The tree window as a Win32 window: a popup tool window that never takes the focus,
// placed where the form says (above the screen too), and shaped by the form's region.
#include "backends/win32/win32_form_window.h"

#include <gtest/gtest.h>

#include "backends/win32/win32_gdi.h"
#include "show/program.h"
#include "support/test_runtime.h"

namespace xmascard {
namespace {

struct TreeWindow {
    TreeWindow() {
        program.start();
        auto window = Win32FormWindow::create(tree);
        handle = window ? window->handle() : nullptr;
        tree.attachView(std::move(window));
    }
    ~TreeWindow() { tree.attachView(nullptr); }
    testing::TestRuntime t;
    Program program{t.runtime};
    FormTree& tree = *program.formTree;
    HWND handle = nullptr;
};

// The window's shape as a region; no value when it has none.
std::optional<Region> shapeOf(HWND window) {
    GdiObject rgn(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, static_cast<HRGN>(rgn.get())) == ERROR) return std::nullopt;
    const DWORD size = GetRegionData(static_cast<HRGN>(rgn.get()), 0, nullptr);
    std::vector<std::byte> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    GetRegionData(static_cast<HRGN>(rgn.get()), size, data);
    Region out;
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i)
        out = out.united(
            Region(PixelRect{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom}));
    return out;
}

TEST(Win32FormWindow, IsAToolPopupThatNeverTakesTheFocus) {
    TreeWindow w;
    ASSERT_NE(w.handle, nullptr);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(w.handle, GWL_STYLE));
    const auto extended = static_cast<DWORD>(GetWindowLongPtrW(w.handle, GWL_EXSTYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(extended & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(extended & WS_EX_NOACTIVATE);
    EXPECT_EQ(SendMessageW(w.handle, WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
}

// Twips rounded to pixels, negative positions kept.
TEST(Win32FormWindow, LiesWhereTheFormSays) {
    TreeWindow w;
    ASSERT_NE(w.handle, nullptr);
    const struct {
        float left, top;
        RECT expected;
    } rows[] = {
        {0, 0, {0, 0, 308, 398}},
        {1500, 3007, {100, 200, 408, 598}},
        {-1500, -6000, {-100, -400, 208, -2}},
        {-4620, -5970, {-308, -398, 0, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.top);
        w.tree.Move(row.left, row.top);
        RECT r{};
        GetWindowRect(w.handle, &r);
        EXPECT_EQ(r.left, row.expected.left);
        EXPECT_EQ(r.top, row.expected.top);
        EXPECT_EQ(r.right, row.expected.right);
        EXPECT_EQ(r.bottom, row.expected.bottom);
    }
}

// The region becomes the window's shape; an empty one hides it all, none removes it.
TEST(Win32FormWindow, IsShapedByTheFormsRegion) {
    TreeWindow w;
    ASSERT_NE(w.handle, nullptr);
    const Region tree = *w.tree.region();
    const struct {
        const char* name;
        RegionHandle region;
    } rows[] = {
        {"the tree", tree},       {"a rectangle", Region(PixelRect{10, 20, 30, 40})},
        {"empty", Region()},      {"none", std::nullopt},
        {"the tree again", tree},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        w.tree.setRegion(row.region);
        EXPECT_EQ(shapeOf(w.handle), row.region);
    }
}

}  // namespace
}  // namespace xmascard
