// SPDX-License-Identifier: MIT
#include "platform/media/fluidsynth/alsa_messages.h"

#include <alsa/asoundlib.h>

#include <cstdarg>
#include <cstdio>

namespace xmascard::media {

namespace {

thread_local std::string* kept = nullptr;

void keepOrDrop(const char*, int, const char*, int, const char* format, ...) {
    if (!kept || !kept->empty()) return;
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    *kept = text;
}

}  // namespace

AlsaErrorCapture::AlsaErrorCapture() {
    snd_lib_error_set_handler(keepOrDrop);
    kept = &first_;
}

AlsaErrorCapture::~AlsaErrorCapture() { kept = nullptr; }

}  // namespace xmascard::media
