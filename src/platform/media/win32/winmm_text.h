// SPDX-License-Identifier: MIT
#pragma once

// clang-format off
#include "system/win32/win32_windows.h"
#include <mmsystem.h>
// clang-format on

#include <string>

#include "system/win32/win32_text.h"

namespace xmascard::media {

// winmm's own words for a failure of a waveOut or midiOut call, with the call's name.
inline std::string waveOutProblem(const char* call, MMRESULT result) {
    wchar_t text[MAXERRORLENGTH] = {};
    waveOutGetErrorTextW(result, text, MAXERRORLENGTH);
    return std::string(call) + ": " + (text[0] ? narrow(text) : "error " + std::to_string(result));
}

inline std::string midiOutProblem(const char* call, MMRESULT result) {
    wchar_t text[MAXERRORLENGTH] = {};
    midiOutGetErrorTextW(result, text, MAXERRORLENGTH);
    return std::string(call) + ": " + (text[0] ? narrow(text) : "error " + std::to_string(result));
}

}  // namespace xmascard::media
