// SPDX-License-Identifier: MIT
// Files the card makes are never written through what someone else put at their name, and
// files it reads never block it: links, FIFOs, devices and directories in the way.

#include "platform/io/safe_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/io/regular_file.h"

namespace xmascard::io {
namespace {

namespace fs = std::filesystem;

class Scratch {
  public:
    Scratch() {
        path_ = fs::temp_directory_path() / ("xmascard-io-" + std::to_string(::getpid()));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string path(const std::string& name) const { return (path_ / name).string(); }
    void file(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : fs::directory_iterator(path_))
            out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

  private:
    fs::path path_;
};

void makeFifo(const Scratch& s, const std::string& name) {
    ASSERT_EQ(::mkfifo(s.path(name).c_str(), 0644), 0);
}

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

struct InTheWay {
    const char* name;
    std::function<void(const Scratch&)> place;  // puts something at "out" (or not)
    const char* refusal;                        // empty: the new file takes the place
};

void PrintTo(const InTheWay& row, std::ostream* os) { *os << row.name; }

std::vector<InTheWay> inTheWay() {
    return {
        {"Nothing", [](const Scratch&) {}, ""},
        {"StaleLongerFile", [](const Scratch& s) { s.file("out", std::string(5000, 'x')); }, ""},
        {"LinkToAnotherFile",
         [](const Scratch& s) { fs::create_symlink(s.path("victim"), s.path("out")); }, ""},
        {"DanglingLink",
         [](const Scratch& s) { fs::create_symlink(s.path("nowhere"), s.path("out")); }, ""},
        {"LinkToADirectory",
         [](const Scratch& s) { fs::create_symlink(s.path("victim-dir"), s.path("out")); }, ""},
        {"Fifo", [](const Scratch& s) { makeFifo(s, "out"); }, ""},
        {"Socket",
         [](const Scratch& s) {
             const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             std::snprintf(address.sun_path, sizeof address.sun_path, "%s", s.path("out").c_str());
             ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
             ::close(fd);
         },
         ""},
        {"Directory", [](const Scratch& s) { fs::create_directory(s.path("out")); },
         "a directory is in the way"},
    };
}

class SafeFileInTheWay : public ::testing::TestWithParam<InTheWay> {};

TEST_P(SafeFileInTheWay, IsReplacedOrRefusedButNeverWrittenThrough) {
    Scratch s;
    s.file("victim", "precious");
    fs::create_directory(s.path("victim-dir"));
    GetParam().place(s);
    const auto before = s.names();

    const auto problem = writeFileSafely(s.path("out"), bytesOf("new content"));

    EXPECT_EQ(s.read("victim"), "precious");
    EXPECT_TRUE(fs::is_empty(s.path("victim-dir")));
    const std::string refusal = GetParam().refusal;
    if (refusal.empty()) {
        ASSERT_FALSE(problem) << *problem;
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(s.path("out"))));
        EXPECT_EQ(s.read("out"), "new content");
        EXPECT_EQ(fs::status(s.path("out")).permissions() & fs::perms::others_write,
                  fs::perms::none);
    } else {
        ASSERT_TRUE(problem);
        EXPECT_EQ(*problem, refusal);
    }
    // No temporary file stays behind, whatever happened.
    auto after = s.names();
    if (std::find(before.begin(), before.end(), "out") == before.end() && refusal.empty())
        std::erase(after, std::string("out"));
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(Cases, SafeFileInTheWay, ::testing::ValuesIn(inTheWay()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SafeFile, TellsTheCauseWhenTheDirectoryCannotTakeTheFile) {
    Scratch s;
    s.file("plain", "x");
    const struct {
        std::string path;
        std::string cause;
    } rows[] = {
        {s.path("missing/out"), "No such file or directory"},
        {s.path("plain/out"), "Not a directory"},
        {s.path("dir/"), "Is a directory"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        const auto problem = writeFileSafely(row.path, bytesOf("x"));
        ASSERT_TRUE(problem);
        EXPECT_EQ(*problem, row.cause);
    }
}

TEST(SafeFile, AWriterDroppedBeforeCommitLeavesTheOldFileAlone) {
    Scratch s;
    s.file("out", "old");
    {
        auto writer = SafeFileWriter::create(s.path("out"));
        ASSERT_TRUE(writer.ok()) << writer.error();
        ASSERT_TRUE(writer.value().write(bytesOf("half of the new")));
    }
    EXPECT_EQ(s.read("out"), "old");
    EXPECT_EQ(s.names(), std::vector<std::string>{"out"});
}

TEST(SafeFile, HeadersArePatchedInPlaceBeforeTheCommit) {
    Scratch s;
    auto opened = Directory::open(s.path(""));
    ASSERT_TRUE(opened.ok()) << opened.error();
    auto writer = SafeFileWriter::create(opened.value(), "out");
    ASSERT_TRUE(writer.ok()) << writer.error();
    SafeFileWriter& w = writer.value();
    ASSERT_TRUE(w.write(bytesOf("....body")));
    ASSERT_TRUE(w.writeAt(0, bytesOf("HEAD")));
    ASSERT_TRUE(w.commit()) << w.error();
    EXPECT_EQ(s.read("out"), "HEADbody");
    EXPECT_EQ(w.path(), s.path("out"));
}

struct ToRead {
    const char* name;
    std::function<std::string(const Scratch&)> make;  // returns the path to read
    const char* refusal;                              // empty: the bytes are read
};

void PrintTo(const ToRead& row, std::ostream* os) { *os << row.name; }

std::vector<ToRead> toRead() {
    return {
        {"RegularFile",
         [](const Scratch& s) {
             s.file("f", "0123456789");
             return s.path("f");
         },
         ""},
        {"LinkToARegularFile",
         [](const Scratch& s) {
             s.file("f", "0123456789");
             fs::create_symlink(s.path("f"), s.path("link"));
             return s.path("link");
         },
         ""},
        {"FifoWithoutWriter",
         [](const Scratch& s) {
             makeFifo(s, "fifo");
             return s.path("fifo");
         },
         "not a regular file"},
        {"LinkToAFifo",
         [](const Scratch& s) {
             makeFifo(s, "fifo");
             fs::create_symlink(s.path("fifo"), s.path("link"));
             return s.path("link");
         },
         "not a regular file"},
        {"Device", [](const Scratch&) { return std::string("/dev/zero"); }, "not a regular file"},
        {"Directory", [](const Scratch& s) { return s.path(""); }, "Is a directory"},
        {"Missing", [](const Scratch& s) { return s.path("none"); }, "No such file or directory"},
        {"TooLarge",
         [](const Scratch& s) {
             s.file("big", std::string(11, 'x'));
             return s.path("big");
         },
         "larger than 0 MB"},
    };
}

class RegularFileReads : public ::testing::TestWithParam<ToRead> {};

TEST_P(RegularFileReads, OnlyRegularFilesOfBoundedSizeWithoutBlocking) {
    Scratch s;
    const std::string path = GetParam().make(s);
    auto read = readRegularFile(path, 10);
    const std::string refusal = GetParam().refusal;
    if (refusal.empty()) {
        ASSERT_TRUE(read.ok()) << read.error();
        const auto& bytes = read.value().bytes;
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123456789");
        auto now = identityOf(path);
        ASSERT_TRUE(now.ok());
        EXPECT_EQ(now.value(), read.value().identity);
    } else {
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error(), refusal);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RegularFileReads, ::testing::ValuesIn(toRead()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace xmascard::io
