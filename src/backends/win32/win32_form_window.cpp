// SPDX-License-Identifier: MIT
#include "backends/win32/win32_form_window.h"

#include <windowsx.h>

#include "backends/win32/win32_canvas.h"
#include "backends/win32/win32_cursors.h"
#include "backends/win32/win32_gdi.h"
#include "platform/paint_controls.h"
#include "platform/runtime.h"
#include "system/win32/win32_text.h"

namespace xmascard {

namespace {

constexpr wchar_t kClassName[] = L"XmascardForm";

int buttonsOf(WPARAM keys) {
    int out = 0;
    if (keys & MK_LBUTTON) out |= kLeftButton;
    if (keys & MK_RBUTTON) out |= kRightButton;
    if (keys & MK_MBUTTON) out |= kMiddleButton;
    return out;
}

int shiftOf(WPARAM keys) {
    int out = 0;
    if (keys & MK_SHIFT) out |= 1;
    if (keys & MK_CONTROL) out |= 2;
    if (GetKeyState(VK_MENU) < 0) out |= 4;
    return out;
}

// Borderless windows are placed and moved by the show itself, on the screen and off it:
// tool windows (no taskbar button) that never take the focus. Others are plain windows.
DWORD styleOf(const Form& form) {
    return form.borderless()
               ? WS_POPUP | WS_CLIPCHILDREN
               : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
}

DWORD extendedStyleOf(const Form& form) {
    if (form.borderless()) return WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    return form.showInTaskbar() ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
}

bool registerClass() {
    static const bool registered = [] {
        WNDCLASSEXW c{};
        c.cbSize = sizeof(c);
        c.lpfnWndProc = DefWindowProcW;  // replaced per window once it is attached
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = kClassName;
        return RegisterClassExW(&c) != 0;
    }();
    return registered;
}

}  // namespace

std::unique_ptr<Win32FormWindow> Win32FormWindow::create(Form& form) {
    if (!registerClass()) return nullptr;
    auto view = std::make_unique<Win32FormWindow>(form);
    HWND window = CreateWindowExW(extendedStyleOf(form), kClassName, widen(form.Caption()).c_str(),
                                  styleOf(form), 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) return nullptr;
    view->attach(window);
    return view;
}

void Win32FormWindow::attach(HWND window) {
    window_ = window;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure));
    edits_ = std::make_unique<Win32Edits>(window_, form_);
    tip_ = std::make_unique<Win32ToolTip>(window_);
    cursor_ = cursorFor(Cursor{});
    if ((icon_ = iconFor(form_.icon()))) {
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    }
    syncGeometry();
}

Win32FormWindow::~Win32FormWindow() {
    if (window_) {
        tip_.reset();
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (icon_) DestroyIcon(icon_);
}

LRESULT CALLBACK Win32FormWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<Win32FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT Win32FormWindow::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_MOUSEACTIVATE:
            return form_.borderless() ? MA_NOACTIVATE : MA_ACTIVATE;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_MOUSEMOVE:
            mouse(message, w, l);
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(l) == HTCLIENT) {
                SetCursor(cursor_);
                return TRUE;
            }
            break;
        case WM_COMMAND:
            if (edits_ && edits_->command(reinterpret_cast<HWND>(l), HIWORD(w))) return 0;
            break;
        case WM_CTLCOLOREDIT:
            if (HBRUSH brush =
                    edits_ ? edits_->colors(reinterpret_cast<HWND>(l), reinterpret_cast<HDC>(w))
                           : nullptr)
                return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_CLOSE:
            // The windows have no close box; a close asked for by the system (Alt+F4,
            // the taskbar) ends the card, as the plug does.
            form_.runtime().End();
            return 0;
        case WM_SIZE:
            if (w == SIZE_MINIMIZED)
                form_.setWindowState(WindowState::Minimized);
            else if (w == SIZE_RESTORED)
                form_.setWindowState(WindowState::Normal);
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, w, l);
}

void Win32FormWindow::syncGeometry() {
    const PixelRect r = form_.geometry().pixels();
    RECT outer{r.left, r.top, r.left + std::max(1, r.width()), r.top + std::max(1, r.height())};
    // The form's size is its client area's, as in the other backends; a frame lies around it.
    if (!form_.borderless()) {
        RECT frame{0, 0, outer.right - outer.left, outer.bottom - outer.top};
        AdjustWindowRectEx(&frame, styleOf(form_), FALSE, extendedStyleOf(form_));
        outer.right = outer.left + frame.right - frame.left;
        outer.bottom = outer.top + frame.bottom - frame.top;
    }
    SetWindowPos(window_, nullptr, outer.left, outer.top, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormWindow::syncVisibility() {
    if (!form_.Visible()) {
        ShowWindow(window_, SW_HIDE);
        return;
    }
    if (form_.windowState() == WindowState::Minimized) {
        ShowWindow(window_, SW_SHOWMINNOACTIVE);
        return;
    }
    if (!IsWindowVisible(window_) || IsIconic(window_)) ShowWindow(window_, SW_SHOWNOACTIVATE);
    raise();
}

void Win32FormWindow::formChanged(Change what) {
    if (what == Change::Geometry) {
        // A move needs no repaint: the system moves what the window shows.
        RECT before{};
        GetClientRect(window_, &before);
        syncGeometry();
        RECT after{};
        GetClientRect(window_, &after);
        if (after.right != before.right || after.bottom != before.bottom)
            InvalidateRect(window_, nullptr, FALSE);
    } else if (what == Change::Visibility) {
        syncGeometry();
        syncVisibility();
    } else {
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void Win32FormWindow::controlChanged(Control& control, Change what) {
    if (edits_->controlChanged(control, what)) return;
    // The system gathers every area asked for into one paint, after the frame's ticks.
    for (const PixelRect& area : repaints_.changed(control, what)) {
        const RECT r{area.left, area.top, area.right, area.bottom};
        InvalidateRect(window_, &r, FALSE);
    }
}

void Win32FormWindow::regionChanged() {
    const RegionHandle& region = form_.region();
    // The window takes the region over. An empty one hides the whole window; none removes
    // the shape.
    HRGN shape = region ? toHrgn(*region) : nullptr;
    SetWindowRgn(window_, shape, TRUE);
}

void Win32FormWindow::raise() {
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

FrameMetrics Win32FormWindow::frame() const {
    RECT outer{}, client{};
    GetWindowRect(window_, &outer);
    GetClientRect(window_, &client);
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    const int side = std::max(0, static_cast<int>((outer.right - outer.left) - client.right) / 2);
    const int top = std::max(0, static_cast<int>(origin.y - outer.top));
    return {side, top};
}

void Win32FormWindow::paint() {
    repaints_.painted();  // a paint covers every area asked for since the last one
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(window_, &ps);
    RECT client{};
    GetClientRect(window_, &client);
    if (!backBuffer_ || backBuffer_->width() != client.right ||
        backBuffer_->height() != client.bottom)
        backBuffer_ = Dib::create(std::max(1L, client.right), std::max(1L, client.bottom));
    if (backBuffer_) {
        HDC buffer = backBuffer_->dc();
        SaveDC(buffer);
        const RECT& r = ps.rcPaint;
        IntersectClipRect(buffer, r.left, r.top, r.right, r.bottom);
        Win32Canvas canvas(buffer);
        paintForm(canvas, form_, TextBoxes::Live);
        RestoreDC(buffer, -1);
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, buffer, r.left, r.top,
               SRCCOPY);
    }
    EndPaint(window_, &ps);
}

void Win32FormWindow::mouse(UINT message, WPARAM w, LPARAM l) {
    const PixelPoint inWindow{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    POINT screen{inWindow.x, inWindow.y};
    ClientToScreen(window_, &screen);
    const PixelPoint onScreen{screen.x, screen.y};
    const int held = buttonsOf(w), shift = shiftOf(w);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            const int button = message == WM_LBUTTONDOWN   ? kLeftButton
                               : message == WM_RBUTTONDOWN ? kRightButton
                                                           : kMiddleButton;
            pointer_.press(inWindow, onScreen, button, shift);
            // The control that holds the mouse keeps it outside the window too (drags).
            if (pointer_.holding() && IsWindow(window_)) SetCapture(window_);
            return;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const int button = message == WM_LBUTTONUP   ? kLeftButton
                               : message == WM_RBUTTONUP ? kRightButton
                                                         : kMiddleButton;
            pointer_.release(inWindow, onScreen, button, held, shift);
            if (!pointer_.holding() && GetCapture() == window_) ReleaseCapture();
            return;
        }
        default: {
            const Control* under = pointer_.move(inWindow, onScreen, held, shift);
            // The cursor follows the control under the pointer, unless a control holds the mouse.
            if (!pointer_.holding()) {
                cursor_ = cursorFor(under ? under->MousePointer() : Cursor{});
                SetCursor(cursor_);
                tip_->show(under ? under->ToolTipText() : std::string());
            }
        }
    }
}

}  // namespace xmascard
