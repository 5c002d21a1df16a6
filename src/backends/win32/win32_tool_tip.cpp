// SPDX-License-Identifier: MIT
#include "backends/win32/win32_tool_tip.h"

#include <commctrl.h>

#include "system/win32/win32_text.h"

namespace xmascard {

namespace {

TOOLINFOW toolOf(HWND window, wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.lpszText = text;
    return tool;
}

}  // namespace

Win32ToolTip::Win32ToolTip(HWND window) : window_(window) {
    static const bool ready = [] {
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    if (!ready) return;
    tip_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, TOOLTIPS_CLASSW,
                           nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    if (!tip_) return;
    TOOLINFOW tool = toolOf(window_, text_.data());
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

Win32ToolTip::~Win32ToolTip() {
    if (tip_) DestroyWindow(tip_);
}

void Win32ToolTip::show(const std::string& text) {
    const std::wstring wide = widen(text);
    if (!tip_ || wide == text_) return;
    text_ = wide;
    TOOLINFOW tool = toolOf(window_, text_.data());
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    if (text_.empty()) SendMessageW(tip_, TTM_POP, 0, 0);
}

}  // namespace xmascard
