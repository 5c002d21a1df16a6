// SPDX-License-Identifier: MIT
// The Win32 host's place for the sound files, the files written there, the regions handed
// to windows and the fonts of the layout.
#include "backends/win32/win32_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "backends/win32/win32_gdi.h"
#include "platform/io/files.h"
#include "support/test_graphics.h"
#include "system/win32/win32_text.h"

namespace xmascard {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the test's span (no value: unset), then restores it.
struct ScopedVariable {
    ScopedVariable(const char* name, const std::optional<std::string>& value)
        : name(name), before(Environ(name)) {
        set(value);
    }
    ~ScopedVariable() { set(before); }
    void set(const std::optional<std::string>& value) {
        SetEnvironmentVariableW(widen(name).c_str(), value ? widen(*value).c_str() : nullptr);
    }
    std::string name;
    std::optional<std::string> before;
};

// The Windows folder receives the sound files only where it can be written; else the
// card's folder in the user's local application data, made when missing.
TEST(Win32Host, SoundDirectoryIsTheWindowsFolderOnlyWhereWritable) {
    testing::TempDirectory windows, local;
    const std::string ownFolder = local.path + "\\xmascard";
    struct Row {
        const char* name;
        std::optional<std::string> windir;
        std::string expected;
    };
    const Row rows[] = {
        {"writable", windows.path, windows.path},
        {"missing", windows.path + "\\missing", ownFolder},
        {"empty", std::string(), ownFolder},
        {"unset", std::nullopt, ownFolder},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScopedVariable windir("WINDIR", row.windir), lower("windir", row.windir);
        ScopedVariable localData("LOCALAPPDATA", local.path);
        Win32Host host;
        EXPECT_EQ(host.soundDirectory(), row.expected);
        EXPECT_TRUE(fs::is_directory(row.expected));
    }
}

std::size_t entriesIn(const std::string& dir) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

// A write replaces the whole file or leaves everything as it was; no temporary file stays.
TEST(Win32Files, WriteWholeFileLeavesNoTemporaryFile) {
    struct Row {
        const char* name;
        void (*prepare)(const fs::path& target);
        bool written;
    };
    const Row rows[] = {
        {"new file", [](const fs::path&) {}, true},
        {"longer file there", [](const fs::path& t) { std::ofstream(t) << std::string(5000, 'x'); },
         true},
        {"directory there", [](const fs::path& t) { fs::create_directory(t); }, false},
        {"read-only file there",
         [](const fs::path& t) {
             std::ofstream(t) << "old";
             fs::permissions(t, fs::perms::owner_read);
         },
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        testing::TempDirectory dir;
        const fs::path target = fs::path(dir.path) / "Bells.mp3";
        row.prepare(target);
        ::testing::internal::CaptureStderr();
        const auto problem = writeWholeFile(target.string(), {'n', 'e', 'w'});
        const std::string err = ::testing::internal::GetCapturedStderr();
        // The cause comes back to the caller, which says it; nothing is printed here.
        EXPECT_EQ(!problem.has_value(), row.written) << problem.value_or("");
        EXPECT_EQ(problem.has_value() && problem->empty(), false);
        EXPECT_EQ(err, "");
        EXPECT_EQ(entriesIn(dir.path), 1u);
        if (row.written) {
            EXPECT_EQ(fs::file_size(target), 3u);
        }
        if (fs::is_regular_file(target)) fs::permissions(target, fs::perms::owner_all);
    }
}

// A window's region reaches GDI rectangle for rectangle, moved as asked.
TEST(Win32Gdi, RegionsBecomeTheSameGdiRegions) {
    const Region square(PixelRect{0, 0, 10, 10});
    const struct {
        const char* name;
        Region region;
        PixelPoint offset;
    } rows[] = {
        {"rectangle", square, {}},
        {"moved", square, {-5, 7}},
        {"union", square.united(Region(PixelRect{20, 5, 30, 40})), {}},
        {"hole", square.subtracted(Region(PixelRect{3, 3, 6, 6})), {2, 2}},
        {"empty", Region(), {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        GdiObject rgn(toHrgn(row.region, row.offset));
        ASSERT_NE(rgn.get(), nullptr);
        const DWORD size = GetRegionData(static_cast<HRGN>(rgn.get()), 0, nullptr);
        std::vector<std::byte> buffer(size);
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        ASSERT_EQ(GetRegionData(static_cast<HRGN>(rgn.get()), size, data), size);
        Region back;
        const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
        for (DWORD i = 0; i < data->rdh.nCount; ++i)
            back = back.united(
                Region(PixelRect{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom}));
        EXPECT_EQ(back, row.region.translated(row.offset));
    }
}

// The layout's fonts at the pixel size the other backends give them: points at 96 dots per
// inch, rounded, as the em height.
TEST(Win32Gdi, FontsHaveTheLayoutsPixelSize) {
    const struct {
        Font font;
        int pixels;
    } rows[] = {
        {{"Arial", 8.25f}, 11},
        {{"Arial", 12.0f, true}, 16},
        {{"Times New Roman", 9.75f, false, true}, 13},
        {{"Times New Roman", 18.0f}, 24},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.font.family);
        LOGFONTW font{};
        ASSERT_NE(GetObjectW(fontFor(row.font), sizeof(font), &font), 0);
        EXPECT_EQ(font.lfHeight, -row.pixels);
        EXPECT_EQ(font.lfWeight, row.font.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(font.lfItalic != 0, row.font.italic);
        EXPECT_EQ(narrow(font.lfFaceName), row.font.family);
        EXPECT_EQ(fontFor(row.font), fontFor(row.font));  // made once
    }
}

}  // namespace
}  // namespace xmascard
