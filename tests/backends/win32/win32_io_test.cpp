// SPDX-License-Identifier: MIT
// Files on Windows keep the promises of the POSIX ones: only a regular file is read, and
// never waited for; a read is bounded by the size the file had; a file's identity tells one
// version from another; a safe write replaces a link rather than writing through it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/io/regular_file.h"
#include "platform/io/safe_file.h"
#include "support/test_graphics.h"
#include "system/win32/win32_text.h"

namespace xmascard::io {
namespace {

namespace fs = std::filesystem;

void write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(Win32Io, OnlyRegularFilesAreReadAndNeverWaitedFor) {
    testing::TempDirectory dir;
    const fs::path base(dir.path);
    write(base / "small", "abc");
    write(base / "large", std::string(3 * 1024 * 1024, 'x'));
    fs::create_directory(base / "folder");
    // A pipe that nobody will ever write to: opening it must not wait for a writer.
    const std::wstring pipe =
        L"\\\\.\\pipe\\xmascard-io-test-" + std::to_wstring(GetCurrentProcessId());
    HANDLE server =
        CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    const struct {
        std::string path;
        std::string bytes;  // what is read
        std::string error;  // or why not
    } rows[] = {
        {(base / "small").string(), "abc", ""},
        {(base / "large").string(), "", "larger than 2 MB"},
        {(base / "folder").string(), "", "Is a directory"},
        {narrow(pipe), "", "not a regular file"},
        {"NUL", "", "not a regular file"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        auto read = readRegularFile(row.path, 2 * 1024 * 1024);
        ASSERT_EQ(read.ok(), row.error.empty()) << read.error();
        if (read.ok()) {
            EXPECT_EQ(std::string(read.value().bytes.begin(), read.value().bytes.end()), row.bytes);
        } else {
            EXPECT_EQ(read.error(), row.error);
        }
    }
    auto missing = readRegularFile((base / "missing").string(), 1024);
    ASSERT_FALSE(missing.ok());
    EXPECT_FALSE(missing.error().empty());
    CloseHandle(server);
}

TEST(Win32Io, ReadsAreBoundedAndVersionsToldApart) {
    testing::TempDirectory dir;
    const fs::path path = fs::path(dir.path) / "Bells.mp3";
    write(path, "0123456789");
    auto file = RegularFile::open(path.string());
    ASSERT_TRUE(file.ok()) << file.error();
    EXPECT_EQ(file.value().size(), 10);
    auto middle = file.value().readAt(4, 3);
    ASSERT_TRUE(middle.ok());
    EXPECT_EQ(std::string(middle.value().begin(), middle.value().end()), "456");
    auto past = file.value().readAt(8, 100);
    ASSERT_TRUE(past.ok());
    EXPECT_EQ(past.value().size(), 2u) << "fewer bytes only where the file ends";

    const FileIdentity first = file.value().identity();
    EXPECT_EQ(identityOf(path.string()).value(), first);
    // Windows replaces no file that is open: the card reads its files whole and closes them.
    file = Result<RegularFile>::failure("closed");
    const auto problem = writeFileSafely(path.string(), std::span<const std::uint8_t>());
    ASSERT_FALSE(problem.has_value()) << *problem;
    auto now = identityOf(path.string());
    ASSERT_TRUE(now.ok());
    EXPECT_NE(now.value(), first) << "a replaced file is another version";
    EXPECT_EQ(now.value().size, 0);
}

TEST(Win32Io, ASafeWriteReplacesALinkInsteadOfWritingThroughIt) {
    testing::TempDirectory dir;
    const fs::path base(dir.path);
    write(base / "victim", "keep");
    std::error_code linked;
    fs::create_symlink(base / "victim", base / "mm.mid", linked);
    if (linked) GTEST_SKIP() << "no symbolic links here: " << linked.message();
    const std::string bytes = "MThd";
    ASSERT_FALSE(
        writeFileSafely((base / "mm.mid").string(),
                        {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()})
            .has_value());
    std::ifstream victim(base / "victim");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(victim), {}), "keep");
    EXPECT_FALSE(fs::is_symlink(base / "mm.mid"));
}

}  // namespace
}  // namespace xmascard::io
