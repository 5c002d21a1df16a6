// SPDX-License-Identifier: MIT
#include "backends/win32/win32_edits.h"

#include "backends/win32/win32_gdi.h"
#include "platform/controls/text_box.h"
#include "platform/view/form_window_base.h"
#include "system/win32/win32_text.h"

namespace xmascard {

namespace {

std::string textOf(HWND edit) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

}  // namespace

Win32Edits::Win32Edits(HWND window, FormWindowBase& policy) : policy_(policy) {
    for (TextBox* box : policy.textBoxes()) {
        const DWORD align = box->alignment() == Alignment::Center  ? ES_CENTER
                            : box->alignment() == Alignment::Right ? ES_RIGHT
                                                                   : ES_LEFT;
        HWND edit = CreateWindowExW(
            0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL | align | (box->bordered() ? WS_BORDER : 0),
            0, 0, 1, 1, window, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!edit) continue;
        edits_[box] = edit;
        boxes_[edit] = box;
    }
}

Win32Edits::~Win32Edits() {
    for (auto& [edit, brush] : brushes_) DeleteObject(brush);
}

bool Win32Edits::command(HWND edit, int notification) {
    const auto it = boxes_.find(edit);
    if (it == boxes_.end()) return false;
    if (notification == EN_CHANGE && !syncing_) policy_.textEdited(*it->second, textOf(edit));
    return true;
}

HBRUSH Win32Edits::colors(HWND edit, HDC dc) {
    const auto it = boxes_.find(edit);
    if (it == boxes_.end()) return nullptr;
    SetTextColor(dc, toColorRef(it->second->ForeColor()));
    SetBkColor(dc, toColorRef(it->second->BackColor()));
    return brushes_[edit];
}

void Win32Edits::sync(const TextBox& box, const PixelRect& where, bool shown) {
    const auto it = edits_.find(&box);
    if (it == edits_.end()) return;
    HWND edit = it->second;
    syncing_ = true;
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(box.font())), FALSE);
    if (HBRUSH& brush = brushes_[edit]) DeleteObject(brush);
    brushes_[edit] = CreateSolidBrush(toColorRef(box.BackColor()));
    if (textOf(edit) != box.Text()) SetWindowTextW(edit, widen(box.Text()).c_str());
    SetWindowPos(edit, nullptr, where.left, where.top, where.width(), where.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(edit, shown ? SW_SHOWNA : SW_HIDE);
    InvalidateRect(edit, nullptr, TRUE);
    syncing_ = false;
}

}  // namespace xmascard
