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
    if (keys & MK_SHIFT) out |= kShiftKey;
    if (keys & MK_CONTROL) out |= kCtrlKey;
    if (GetKeyState(VK_MENU) < 0) out |= kAltKey;
    return out;
}

// The timer of the players' faces, one per window.
constexpr UINT_PTR kFaceTimer = 1;

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
    edits_ = std::make_unique<Win32Edits>(window_, *this);
    tip_ = std::make_unique<Win32ToolTip>(window_);
    cursor_ = cursorFor(Cursor{});
    if ((icon_ = iconFor(form().icon()))) {
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    }
    syncWithForm();
}

Win32FormWindow::~Win32FormWindow() {
    if (window_) {
        KillTimer(window_, kFaceTimer);
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
            paintWindow();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_MOUSEACTIVATE:
            return form().borderless() ? MA_NOACTIVATE : MA_ACTIVATE;
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
        case WM_TIMER:
            if (w == kFaceTimer) {
                faceTimerFired();
                return 0;
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
            closeRequested();
            return 0;
        case WM_SIZE:
            if (w == SIZE_MINIMIZED)
                stateChanged(WindowState::Minimized);
            else if (w == SIZE_RESTORED)
                stateChanged(WindowState::Normal);
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, w, l);
}

void Win32FormWindow::place(const PixelRect& where) {
    RECT outer{where.left, where.top, where.right, where.bottom};
    // The form's size is its client area's, as in the other backends; a frame lies around it.
    if (!form().borderless()) {
        RECT frame{0, 0, outer.right - outer.left, outer.bottom - outer.top};
        AdjustWindowRectEx(&frame, styleOf(form()), FALSE, extendedStyleOf(form()));
        outer.right = outer.left + frame.right - frame.left;
        outer.bottom = outer.top + frame.bottom - frame.top;
    }
    SetWindowPos(window_, nullptr, outer.left, outer.top, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormWindow::showWindow(WindowState state) {
    if (state == WindowState::Minimized)
        ShowWindow(window_, SW_SHOWMINNOACTIVE);
    else if (!IsWindowVisible(window_) || IsIconic(window_))
        ShowWindow(window_, SW_SHOWNOACTIVATE);
}

void Win32FormWindow::hideWindow() { ShowWindow(window_, SW_HIDE); }

void Win32FormWindow::raiseWindow() {
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32FormWindow::invalidate(const std::optional<PixelRect>& area) {
    if (!area) {
        InvalidateRect(window_, nullptr, FALSE);
        return;
    }
    const RECT r{area->left, area->top, area->right, area->bottom};
    InvalidateRect(window_, &r, FALSE);
}

void Win32FormWindow::setShape(const Region* region) {
    // The window takes the region over.
    SetWindowRgn(window_, region ? toHrgn(*region) : nullptr, TRUE);
}

void Win32FormWindow::setCursor(const Cursor& cursor) {
    cursor_ = cursorFor(cursor);
    SetCursor(cursor_);
}

void Win32FormWindow::setToolTip(const std::string& text) { tip_->show(text); }

void Win32FormWindow::holdMouse(bool hold) {
    if (hold && IsWindow(window_))
        SetCapture(window_);
    else if (!hold && GetCapture() == window_)
        ReleaseCapture();
}

void Win32FormWindow::syncEdit(const TextBox& box, const PixelRect& where, bool shown) {
    if (edits_) edits_->sync(box, where, shown);
}

void Win32FormWindow::runFaceTimer(bool running) {
    if (running)
        SetTimer(window_, kFaceTimer, kFaceRepaintMilliseconds, nullptr);
    else
        KillTimer(window_, kFaceTimer);
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

void Win32FormWindow::paintWindow() {
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
        paint(canvas);
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
        case WM_MBUTTONDOWN:
            pointerPressed(inWindow, onScreen,
                           message == WM_LBUTTONDOWN   ? kLeftButton
                           : message == WM_RBUTTONDOWN ? kRightButton
                                                       : kMiddleButton,
                           shift);
            return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            pointerReleased(inWindow, onScreen,
                            message == WM_LBUTTONUP   ? kLeftButton
                            : message == WM_RBUTTONUP ? kRightButton
                                                      : kMiddleButton,
                            held, shift);
            return;
        default:
            pointerMoved(inWindow, onScreen, held, shift);
    }
}

}  // namespace xmascard
