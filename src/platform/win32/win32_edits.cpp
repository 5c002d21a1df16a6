// SPDX-License-Identifier: MIT
#include "platform/win32/win32_edits.h"

#include "platform/control_geometry.h"
#include "platform/form.h"
#include "platform/picture_box.h"
#include "platform/runtime.h"
#include "platform/text_box.h"
#include "platform/win32/win32_gdi.h"
#include "platform/win32/win32_text.h"

namespace xmascard {

namespace {

std::string textOf(HWND edit) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

}  // namespace

Win32Edits::Win32Edits(HWND window, Form& form) : form_(form) {
    for (Control* c : form.Controls()) {
        auto* box = dynamic_cast<TextBox*>(c);
        if (!box) continue;
        const DWORD align = box->alignment() == Alignment::Center  ? ES_CENTER
                            : box->alignment() == Alignment::Right ? ES_RIGHT
                                                                   : ES_LEFT;
        HWND edit = CreateWindowExW(
            0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL | align | (box->bordered() ? WS_BORDER : 0),
            0, 0, 1, 1, window, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!edit) continue;
        edits_[box] = edit;
        boxes_[edit] = box;
        sync(*box, edit);
    }
}

Win32Edits::~Win32Edits() {
    for (auto& [edit, brush] : brushes_) DeleteObject(brush);
}

bool Win32Edits::controlChanged(const Control& control, Change what) {
    if (auto it = edits_.find(dynamic_cast<const TextBox*>(&control)); it != edits_.end()) {
        sync(*it->first, it->second);
        return true;
    }
    // A picture box that moves, hides or shows takes the text boxes it holds along.
    if (dynamic_cast<const PictureBox*>(&control) &&
        (what == Change::Geometry || what == Change::Visibility))
        for (auto& [box, edit] : edits_) sync(*box, edit);
    return false;
}

bool Win32Edits::command(HWND edit, int notification) {
    const auto it = boxes_.find(edit);
    if (it == boxes_.end()) return false;
    if (notification == EN_CHANGE && !syncing_) {
        it->second->userEdit(textOf(edit));
        form_.runtime().requestSweep();
    }
    return true;
}

HBRUSH Win32Edits::colors(HWND edit, HDC dc) {
    const auto it = boxes_.find(edit);
    if (it == boxes_.end()) return nullptr;
    SetTextColor(dc, toColorRef(it->second->ForeColor()));
    SetBkColor(dc, toColorRef(it->second->BackColor()));
    return brushes_[edit];
}

void Win32Edits::sync(const TextBox& box, HWND edit) {
    syncing_ = true;
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(box.font())), FALSE);
    if (HBRUSH& brush = brushes_[edit]) DeleteObject(brush);
    brushes_[edit] = CreateSolidBrush(toColorRef(box.BackColor()));
    if (textOf(edit) != box.Text()) SetWindowTextW(edit, widen(box.Text()).c_str());
    const PixelRect r = controlRectInForm(box);
    SetWindowPos(edit, nullptr, r.left, r.top, r.width(), r.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    bool shown = box.Visible();
    for (const PictureBox* p = box.Container(); p && shown; p = p->Container())
        shown = p->Visible();
    ShowWindow(edit, shown ? SW_SHOWNA : SW_HIDE);
    InvalidateRect(edit, nullptr, TRUE);
    syncing_ = false;
}

}  // namespace xmascard
