// SPDX-License-Identifier: MIT
#include "platform/media/fluidsynth/sound_font_check.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/io/regular_file.h"
#include "platform/media/fluidsynth/sound_font_tables.h"

namespace xmascard::media {
namespace {

// A chunk: its four-letter id, where its data starts and how long it is.
struct Chunk {
    char id[5] = {};
    std::int64_t start = 0;
    std::int64_t size = 0;
};

std::uint32_t le32(const std::uint8_t* at) {
    return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

class RiffReader {
  public:
    explicit RiffReader(const io::RegularFile& file) : file_(file) {}

    // Reads the chunk header at `at`, which must leave the chunk inside [at, end).
    bool chunk(std::int64_t at, std::int64_t end, Chunk& chunk, std::string& why) const {
        auto header = file_.readAt(at, 8);
        if (!header.ok() || header.value().size() < 8 || at + 8 > end) {
            why = "the SoundFont file is truncated or damaged";
            return false;
        }
        std::memcpy(chunk.id, header.value().data(), 4);
        chunk.start = at + 8;
        chunk.size = le32(header.value().data() + 4);
        if (chunk.start + chunk.size > end) {
            why = std::string("the SoundFont's ") + chunk.id + " chunk runs past its end";
            return false;
        }
        return true;
    }

    // Reads the LIST chunk at `at` and checks its type.
    bool list(std::int64_t at, std::int64_t end, const char* type, Chunk& out,
              std::string& why) const {
        if (!chunk(at, end, out, why)) return false;
        auto kind = file_.readAt(out.start, 4);
        if (std::strcmp(out.id, "LIST") != 0 || out.size < 4 || !kind.ok() ||
            kind.value().size() < 4 || std::memcmp(kind.value().data(), type, 4) != 0) {
            why = std::string("the SoundFont has no ") + type + " list where it belongs";
            return false;
        }
        return true;
    }

    std::vector<std::uint8_t> bytes(std::int64_t at, std::size_t count) const {
        auto read = file_.readAt(at, count);
        return read.ok() ? read.take() : std::vector<std::uint8_t>{};
    }

  private:
    const io::RegularFile& file_;
};

// A chunk of odd size is padded to a whole word.
std::int64_t after(const Chunk& c) { return c.start + c.size + (c.size & 1); }

// The sub-chunks an INFO list may hold; FluidSynth refuses a bank with any other.
bool knownInfo(const char* id) {
    for (const char* known :
         {"ifil", "isng", "INAM", "irom", "iver", "ICRD", "IENG", "IPRD", "ICOP", "ICMT", "ISFT"})
        if (std::strcmp(id, known) == 0) return true;
    return false;
}

std::string checkInfo(const RiffReader& riff, const Chunk& info) {
    std::string why;
    bool version = false;
    for (std::int64_t at = info.start + 4; at < info.start + info.size;) {
        Chunk sub;
        if (!riff.chunk(at, info.start + info.size, sub, why)) return why;
        if (!knownInfo(sub.id)) return "the SoundFont's INFO list is damaged";
        if (std::strcmp(sub.id, "ifil") == 0) {
            auto v = riff.bytes(sub.start, 4);
            if (sub.size != 4 || v.size() != 4) return "the SoundFont's version is damaged";
            const int major = v[0] | (v[1] << 8);
            if (major != 2 && major != 3) return "a SoundFont of version " + std::to_string(major);
            version = true;
        }
        at = after(sub);
    }
    return version ? "" : "the SoundFont has no version";
}

std::string checkSamples(const RiffReader& riff, const Chunk& sdta) {
    std::string why;
    if (sdta.size == 4) return "";
    Chunk smpl;
    if (!riff.chunk(sdta.start + 4, sdta.start + sdta.size, smpl, why)) return why;
    if (std::strcmp(smpl.id, "smpl") != 0) return "the SoundFont has no sample data";
    return "";
}

std::uint16_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// The indices a table's records hold into the next table (a header's first zone, a zone's
// first generator or modulator) never go down, and the terminal record's index is the next
// table's terminal record: every record there belongs to one here, as FluidSynth requires.
bool indicesFit(const std::vector<std::uint8_t>& records, int recordSize, int field,
                std::int64_t targetRecords) {
    std::int64_t last = 0;
    for (std::size_t at = 0; at + recordSize <= records.size(); at += recordSize) {
        const std::int64_t index = le16(records, at + field);
        if (index < last || index >= targetRecords) return false;
        last = index;
    }
    return last == targetRecords - 1;
}

std::string checkSoundFontTables(const RiffReader& riff, const Chunk& pdta) {
    std::string why;
    std::int64_t at = pdta.start + 4;
    std::array<Chunk, kSoundFontTables.size()> chunks;
    for (std::size_t i = 0; i < kSoundFontTables.size(); ++i) {
        const SoundFontTable& table = kSoundFontTables[i];
        Chunk sub;
        if (!riff.chunk(at, pdta.start + pdta.size, sub, why)) return why;
        const std::string name = table.id;
        if (sub.id != name) return "the SoundFont's " + name + " table is missing";
        // Every table ends with a terminal record; a modulator table may hold only that.
        if (sub.size % table.record != 0 || sub.size < table.record)
            return "the SoundFont's " + name + " table is damaged";
        chunks[i] = sub;
        at = after(sub);
    }
    // phdr -> pbag -> pmod, pgen; inst -> ibag -> imod, igen: (table, field, target table).
    constexpr int kLinks[][3] = {{0, 24, 1}, {1, 0, 3}, {1, 2, 2},
                                 {4, 20, 5}, {5, 0, 7}, {5, 2, 6}};
    for (const auto& [from, field, to] : kLinks) {
        const auto records =
            riff.bytes(chunks[from].start, static_cast<std::size_t>(chunks[from].size));
        if (!indicesFit(records, kSoundFontTables[from].record, field,
                        chunks[to].size / kSoundFontTables[to].record))
            return std::string("the SoundFont's ") + kSoundFontTables[from].id +
                   " table points outside " + kSoundFontTables[to].id;
    }
    // A preset zone's instrument and an instrument zone's sample name one that exists (the
    // last record of each table only ends it).
    constexpr int kReferences[][3] = {{3, 41, 4}, {7, 53, 8}};  // (generators, operator, table)
    for (const auto& [from, op, to] : kReferences) {
        const auto records =
            riff.bytes(chunks[from].start, static_cast<std::size_t>(chunks[from].size));
        const std::int64_t count = chunks[to].size / kSoundFontTables[to].record - 1;
        for (std::size_t at = 0; at + 4 <= records.size(); at += 4) {
            if (le16(records, at) == op && le16(records, at + 2) >= count)
                return std::string("the SoundFont's ") + kSoundFontTables[from].id +
                       " table names no " + (op == 41 ? "instrument" : "sample") + " there is";
        }
    }
    return "";
}

}  // namespace

std::string checkSoundFontFile(const std::string& path) {
    auto opened = io::RegularFile::open(path);
    if (!opened.ok()) return "cannot open (" + opened.error() + ")";
    const io::RegularFile& file = opened.value();
    const RiffReader riff(file);
    const auto header = riff.bytes(0, 12);
    if (header.size() < 12 || std::memcmp(header.data(), "RIFF", 4) != 0 ||
        std::memcmp(header.data() + 8, "sfbk", 4) != 0) {
        return "not a SoundFont file";
    }
    Chunk whole;
    std::string why;
    if (le32(header.data() + 4) + 8LL != file.size() || !riff.chunk(0, file.size(), whole, why))
        return "the SoundFont file is truncated or damaged";
    const std::int64_t end = whole.start + whole.size;
    Chunk info, sdta, pdta;
    if (!riff.list(whole.start + 4, end, "INFO", info, why)) return why;
    if (auto problem = checkInfo(riff, info); !problem.empty()) return problem;
    if (!riff.list(after(info), end, "sdta", sdta, why)) return why;
    if (auto problem = checkSamples(riff, sdta); !problem.empty()) return problem;
    if (!riff.list(after(sdta), end, "pdta", pdta, why)) return why;
    return checkSoundFontTables(riff, pdta);
}

}  // namespace xmascard::media
