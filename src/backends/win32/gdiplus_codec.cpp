// SPDX-License-Identifier: MIT
#include "backends/win32/gdiplus_codec.h"

#include <algorithm>
#include <cstring>

// GDI+'s headers need windows.h as it is (its RGB macro too) before them, and min and max.
// clang-format off
#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
// clang-format on

namespace xmascard {

namespace {

// GDI+ is started once, on first use, and stays for the life of the program.
bool gdiplusReady() {
    static const bool ready = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return ready;
}

// An IStream over bytes, released when it goes.
struct Stream {
    explicit Stream(IStream* s) : stream(s) {}
    ~Stream() {
        if (stream) stream->Release();
    }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    IStream* stream;
};

bool pngEncoder(CLSID& clsid) {
    UINT count = 0, size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
    std::vector<std::byte> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i)
        if (std::wcscmp(codecs[i].MimeType, L"image/png") == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    return false;
}

}  // namespace

bool decodeWithGdiplus(std::span<const std::uint8_t> bytes, Alpha alpha, DecodedPixels& out,
                       std::string& why) {
    if (!gdiplusReady()) {
        why = "GDI+ cannot start";
        return false;
    }
    Stream memory(SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size())));
    if (!memory.stream) {
        why = "out of memory";
        return false;
    }
    Gdiplus::Bitmap bitmap(memory.stream);
    if (bitmap.GetLastStatus() != Gdiplus::Ok || bitmap.GetWidth() == 0) {
        why = "not a picture GDI+ can read";
        return false;
    }
    const int width = static_cast<int>(bitmap.GetWidth());
    const int height = static_cast<int>(bitmap.GetHeight());
    out.width = width;
    out.height = height;
    out.words.assign(static_cast<std::size_t>(width) * height, 0);
    Gdiplus::BitmapData data{};
    data.Width = static_cast<UINT>(width);
    data.Height = static_cast<UINT>(height);
    data.Stride = width * 4;
    data.PixelFormat = alpha == Alpha::Premultiplied ? PixelFormat32bppPARGB : PixelFormat32bppARGB;
    data.Scan0 = out.words.data();
    Gdiplus::Rect all(0, 0, width, height);
    // The pixels are converted straight into the words (a user-provided buffer).
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                        data.PixelFormat, &data) != Gdiplus::Ok) {
        why = "GDI+ cannot convert its pixels";
        return false;
    }
    bitmap.UnlockBits(&data);
    return true;
}

std::vector<std::uint8_t> encodePngWithGdiplus(int width, int height, int stride,
                                               const std::uint32_t* words) {
    CLSID png{};
    if (!gdiplusReady() || !pngEncoder(png)) return {};
    Gdiplus::Bitmap bitmap(width, height, stride, PixelFormat32bppRGB,
                           reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(words)));
    Stream memory(SHCreateMemStream(nullptr, 0));
    if (!memory.stream || bitmap.Save(memory.stream, &png, nullptr) != Gdiplus::Ok) return {};
    STATSTG stat{};
    if (memory.stream->Stat(&stat, STATFLAG_NONAME) != S_OK) return {};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
    const LARGE_INTEGER start{};
    memory.stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    memory.stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
}

}  // namespace xmascard
