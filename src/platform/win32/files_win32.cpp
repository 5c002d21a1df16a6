// SPDX-License-Identifier: MIT
// The card's files on Windows: the same contract as on POSIX systems, with Win32 calls.
#include <cstdio>
#include <random>

#include "platform/files.h"
#include "platform/resources.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_windows.h"

namespace xmascard {

namespace {

void complain(const std::string& path, const std::string& what) {
    std::fprintf(stderr, "xmascard: cannot write %s: %s; the card goes on without it\n",
                 path.c_str(), what.c_str());
}

// The system's message for an error code, as one line without its closing full stop.
std::string messageOf(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string out = text ? narrow(text) : "error " + std::to_string(error);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == '.'))
        out.pop_back();
    return out;
}

bool writeAll(HANDLE file, const std::vector<char>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// A new file beside the target, made so that it never opens anything already there.
HANDLE createTemporary(const std::wstring& target, std::wstring& name) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = target + L"." + std::to_wstring(random() % 1000000u) + L".tmp";
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

std::optional<std::string> Environ(const std::string& name) {
    const std::wstring wide = widen(name);
    const DWORD size = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (size == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
        return std::string();
    }
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(wide.c_str(), value.data(), size);
    value.resize(length);
    return narrow(value);
}

std::string soundDirectoryFor(const EnvironmentReader& environment, std::string fallback) {
    for (const char* name : {"WINDIR", "Windir", "windir"})
        if (auto dir = environment(name); dir && !dir->empty()) return *dir;
    return fallback;
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::vector<char>> LoadResData(int id, const std::string& type) {
    const auto bytes = embeddedFile(type + "/" + std::to_string(id));
    if (!bytes) return std::nullopt;
    return std::vector<char>(bytes->begin(), bytes->end());
}

bool writeWholeFile(const std::string& path, const std::vector<char>& bytes) {
    const std::wstring target = widen(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            complain(path, "a directory is in the way");
            return false;
        }
        // A link (a reparse point) in the target's place is replaced, never written through.
        if ((attributes & FILE_ATTRIBUTE_READONLY) &&
            !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            complain(path, "the file there is read-only");
            return false;
        }
    }
    std::wstring temporary;
    HANDLE file = createTemporary(target, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        complain(path, messageOf(GetLastError()));
        return false;
    }
    const bool written = writeAll(file, bytes) && FlushFileBuffers(file);
    const DWORD error = written ? 0 : GetLastError();
    CloseHandle(file);
    if (!written || !MoveFileExW(temporary.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD failure = written ? GetLastError() : error;
        DeleteFileW(temporary.c_str());
        complain(path, messageOf(failure));
        return false;
    }
    return true;
}

}  // namespace xmascard
