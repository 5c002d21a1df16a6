// SPDX-License-Identifier: MIT
#include "backends/win32/win32_host.h"

// clang-format off
#include "system/win32/win32_windows.h"
#include <shellapi.h>
#include <shlobj.h>
#include <timeapi.h>
// clang-format on

#include <cmath>
#include <cstdio>

#include "backends/win32/win32_form_window.h"
#include "platform/io/files.h"
#include "platform/runtime.h"
#include "platform/time/frame_pacer.h"
#include "system/win32/win32_text.h"

namespace xmascard {

std::unique_ptr<FormView> Win32Host::makeView(Form& form) {
    auto window = Win32FormWindow::create(form);
    if (!window)
        std::fprintf(stderr, "xmascard: the system cannot make window %s\n", form.Name().c_str());
    return window;
}

ScreenSize Win32Host::screen() const {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool Win32Host::openUrl(const std::string& address) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", widen(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

std::string Win32Host::soundDirectory() {
    // The Windows folder receives the files only where the user may write there.
    const std::string windows = soundDirectoryFor(Environ, "");
    if (!windows.empty() && directoryWritable(windows)) return windows;
    return localDataDirectory();
}

std::string Win32Host::localDataDirectory() {
    std::string base;
    if (auto local = Environ("LOCALAPPDATA"); local && !local->empty()) {
        base = *local;
    } else {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, path)))
            base = narrow(path);
    }
    if (base.empty()) {
        wchar_t temp[MAX_PATH + 1] = {};
        base = narrow(std::wstring(temp, GetTempPathW(MAX_PATH + 1, temp)));
    }
    const std::string dir = base + "\\xmascard";
    CreateDirectoryW(widen(dir).c_str(), nullptr);  // a failure shows when the files are written
    return dir;
}

void Win32Host::quit() { PostQuitMessage(0); }

int Win32Host::run(Runtime& runtime, TickClock& clock) {
    // One-millisecond timer resolution, so the loop wakes when a frame is due.
    timeBeginPeriod(1);
    FramePacer pacer(runtime, clock);
    int status = 0;
    for (;;) {
        MSG message;
        bool quit = false;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                status = static_cast<int>(message.wParam);
                break;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (quit) break;
        if (sweepPending_) {
            sweepPending_ = false;
            runtime.sweep();
        }
        const std::optional<double> wake = pacer.nextWake();
        const double now = clock.real().now();
        if (wake && *wake <= now) {
            pacer.runDue();
            continue;
        }
        const DWORD wait = wake ? static_cast<DWORD>(std::ceil((*wake - now) * 1000.0)) : INFINITE;
        MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    timeEndPeriod(1);
    return status;
}

void makeDpiAware() {
    // Per-monitor awareness where the system has it (Windows 10 1703 on), else system-wide.
    using SetContext = BOOL(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto setContext = user32 ? reinterpret_cast<SetContext>(reinterpret_cast<void*>(
                                         GetProcAddress(user32, "SetProcessDpiAwarenessContext")))
                                   : nullptr;
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 is the handle value -4.
    if (setContext && setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) return;
    SetProcessDPIAware();
}

bool directoryWritable(const std::string& directory) {
    const std::wstring probe = widen(directory) + L"\\xmascard-write-test.tmp";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
    CloseHandle(file);
    return true;
}

}  // namespace xmascard
