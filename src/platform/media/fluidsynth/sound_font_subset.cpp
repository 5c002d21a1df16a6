// SPDX-License-Identifier: MIT
#include "platform/media/fluidsynth/sound_font_subset.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <optional>
#include <set>

#include "platform/io/regular_file.h"
#include "platform/media/fluidsynth/sound_font_tables.h"

namespace xmascard::media {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kPercussionBank = 128;
constexpr std::uint16_t kInstrumentOperator = 41;  // a preset zone's instrument
constexpr std::uint16_t kSampleOperator = 53;      // an instrument zone's sample
constexpr std::uint16_t kCompressedSample = 0x10;  // Ogg Vorbis (SoundFont 3)
// SoundFont 2 wants 46 sample points after each sample; copied as the file has them.
constexpr std::int64_t kGuardPoints = 46;

std::uint16_t get16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}
std::uint32_t get32(const std::uint8_t* at) {
    return get16(at) | static_cast<std::uint32_t>(get16(at + 2)) << 16;
}
void put16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}
void put32(std::uint8_t* at, std::uint32_t value) {
    put16(at, value);
    put16(at + 2, value >> 16);
}

struct Chunk {
    char id[5] = {};
    std::int64_t start = 0;  // of its data
    std::int64_t size = 0;
    std::int64_t end() const { return start + size + (size & 1); }  // padded to a word
};

// One of the nine tables of pdta: records of one size, the last a terminal one.
struct Table {
    Bytes bytes;
    std::size_t record = 0;
    std::size_t count() const { return bytes.size() / record - 1; }  // without the terminal
    const std::uint8_t* at(std::size_t i) const { return bytes.data() + i * record; }
};

class Reader {
  public:
    explicit Reader(const io::RegularFile& file) : file_(file) {}

    std::optional<Chunk> chunk(std::int64_t at, std::int64_t end) const {
        const Bytes header = bytes(at, 8);
        if (header.size() < 8 || at + 8 > end) return std::nullopt;
        Chunk c;
        std::memcpy(c.id, header.data(), 4);
        c.start = at + 8;
        c.size = get32(header.data() + 4);
        if (c.start + c.size > end) return std::nullopt;
        return c;
    }
    // The LIST chunk at `at`, when it is of `type`; its data then starts after the type.
    std::optional<Chunk> list(std::int64_t at, std::int64_t end, const char* type) const {
        auto c = chunk(at, end);
        if (!c || std::strcmp(c->id, "LIST") != 0 || c->size < 4 ||
            bytes(c->start, 4) != Bytes(type, type + 4))
            return std::nullopt;
        return c;
    }
    Bytes bytes(std::int64_t at, std::int64_t count) const {
        auto read = file_.readAt(at, static_cast<std::size_t>(std::max<std::int64_t>(count, 0)));
        return read.ok() ? read.take() : Bytes{};
    }

  private:
    const io::RegularFile& file_;
};

void appendChunk(Bytes& out, const char* id, const Bytes& data) {
    const std::size_t at = out.size();
    out.resize(at + 8);
    std::memcpy(out.data() + at, id, 4);
    put32(out.data() + at + 4, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() & 1) out.push_back(0);
}

// A LIST chunk of `type` around the chunks already written in `body`.
Bytes listChunk(const char* type, const Bytes& body) {
    Bytes data(type, type + 4);
    data.insert(data.end(), body.begin(), body.end());
    Bytes out;
    appendChunk(out, "LIST", data);
    return out;
}

// The presets a program change to each of `wanted` selects, with FluidSynth's fallbacks:
// every header of that bank and program (a font may hold two; FluidSynth picks one of them
// as from the whole file).
std::set<std::size_t> presetsFor(const Table& phdr,
                                 const std::vector<std::pair<int, int>>& wanted) {
    const auto matching = [&](int bank, int program) {
        std::set<std::size_t> found;
        for (std::size_t i = 0; i < phdr.count(); ++i)
            if (get16(phdr.at(i) + 20) == program && get16(phdr.at(i) + 22) == bank)
                found.insert(i);
        return found;
    };
    std::set<std::size_t> kept;
    for (const auto& [bank, program] : wanted) {
        auto found = matching(bank, program);
        if (found.empty())
            found = bank == kPercussionBank ? matching(bank, 0) : matching(0, program);
        if (found.empty() && bank != kPercussionBank) found = matching(0, 0);
        kept.insert(found.begin(), found.end());
    }
    return kept;
}

// One level of the font: headers (presets or instruments), their zones (bags), and each
// zone's modulators and generators, one generator of which names a record of the level
// below (an instrument, or a sample).
struct Level {
    const Table& headers;
    std::size_t bagField;  // where a header keeps its first zone
    const Table& bags;
    const Table& mods;
    const Table& gens;
    std::uint16_t reference;
};

// What the kept headers' zones name of the level below, or nothing when a name points
// outside the tables (a damaged font).
std::optional<std::set<std::size_t>> namedBelow(const Level& level,
                                                const std::set<std::size_t>& kept,
                                                std::size_t belowCount) {
    std::set<std::size_t> named;
    for (std::size_t h : kept) {
        const std::size_t bagEnd = get16(level.headers.at(h + 1) + level.bagField);
        for (std::size_t b = get16(level.headers.at(h) + level.bagField); b < bagEnd; ++b) {
            if (b + 1 > level.bags.count()) return std::nullopt;
            for (std::size_t g = get16(level.bags.at(b)); g < get16(level.bags.at(b + 1)); ++g) {
                if (g >= level.gens.count()) return std::nullopt;
                if (get16(level.gens.at(g)) != level.reference) continue;
                const std::size_t index = get16(level.gens.at(g) + 2);
                if (index >= belowCount) return std::nullopt;
                named.insert(index);
            }
        }
    }
    return named;
}

// New indices for the kept records, in their order.
std::map<std::size_t, std::size_t> renumbered(const std::set<std::size_t>& kept) {
    std::map<std::size_t, std::size_t> to;
    for (std::size_t index : kept) to.emplace(index, to.size());
    return to;
}

// The level's four tables with only the kept headers and their zones, the names of the
// level below renumbered.
std::array<Bytes, 4> subsetLevel(const Level& level, const std::set<std::size_t>& kept,
                                 const std::map<std::size_t, std::size_t>& below) {
    Bytes headers, bags, mods, gens;
    const auto append = [](Bytes& to, const std::uint8_t* record, std::size_t size) {
        to.insert(to.end(), record, record + size);
    };
    std::size_t bagCount = 0, modCount = 0, genCount = 0;
    for (std::size_t h : kept) {
        append(headers, level.headers.at(h), level.headers.record);
        put16(headers.data() + headers.size() - level.headers.record + level.bagField, bagCount);
        const std::size_t bagEnd = get16(level.headers.at(h + 1) + level.bagField);
        for (std::size_t b = get16(level.headers.at(h) + level.bagField); b < bagEnd; ++b) {
            const std::uint8_t bag[4] = {};
            append(bags, bag, 4);
            put16(bags.data() + bags.size() - 4, genCount);
            put16(bags.data() + bags.size() - 2, modCount);
            ++bagCount;
            for (std::size_t m = get16(level.bags.at(b) + 2); m < get16(level.bags.at(b + 1) + 2);
                 ++m, ++modCount)
                append(mods, level.mods.at(m), level.mods.record);
            for (std::size_t g = get16(level.bags.at(b)); g < get16(level.bags.at(b + 1));
                 ++g, ++genCount) {
                append(gens, level.gens.at(g), 4);
                if (get16(level.gens.at(g)) == level.reference)
                    put16(gens.data() + gens.size() - 2, below.at(get16(level.gens.at(g) + 2)));
            }
        }
    }
    // The terminal records close the tables, their indices the counts above.
    append(headers, level.headers.at(level.headers.count()), level.headers.record);
    put16(headers.data() + headers.size() - level.headers.record + level.bagField, bagCount);
    const std::uint8_t bag[4] = {};
    append(bags, bag, 4);
    put16(bags.data() + bags.size() - 4, genCount);
    put16(bags.data() + bags.size() - 2, modCount);
    append(mods, level.mods.at(level.mods.count()), level.mods.record);
    append(gens, level.gens.at(level.gens.count()), 4);
    return {headers, bags, mods, gens};
}

// The kept samples' data, one after another, and their headers pointing there. Points of
// SoundFont 2 are 16 bits in smpl (and 8 more in sm24, when the font has them); a
// compressed sample of SoundFont 3 is bytes in smpl, its loop relative to its own start.
struct SampleData {
    Bytes headers, smpl, sm24;
};

SampleData subsetSamples(const Reader& reader, const Table& shdr, const std::set<std::size_t>& kept,
                         const Chunk& smpl, const std::optional<Chunk>& sm24) {
    SampleData out;
    const std::int64_t points = smpl.size / 2;
    for (std::size_t s : kept) {
        out.headers.insert(out.headers.end(), shdr.at(s), shdr.at(s) + shdr.record);
        std::uint8_t* header = out.headers.data() + out.headers.size() - shdr.record;
        const std::int64_t start = get32(header + 20), end = get32(header + 24);
        const bool compressed = (get16(header + 44) & kCompressedSample) != 0;
        if (compressed) {
            const std::int64_t from = std::min(start, smpl.size);
            const Bytes data = reader.bytes(smpl.start + from, std::min(end, smpl.size) - from);
            const std::int64_t at = static_cast<std::int64_t>(out.smpl.size());
            out.smpl.insert(out.smpl.end(), data.begin(), data.end());
            put32(header + 20, static_cast<std::uint32_t>(at));
            put32(header + 24, static_cast<std::uint32_t>(at + (end - start)));
            continue;
        }
        if (out.smpl.size() & 1) out.smpl.push_back(0);
        const std::int64_t from = std::min(start, points);
        const std::int64_t until = std::min(end + kGuardPoints, points);
        const Bytes data = reader.bytes(smpl.start + 2 * from, 2 * (until - from));
        const std::int64_t at = static_cast<std::int64_t>(out.smpl.size() / 2);
        out.smpl.insert(out.smpl.end(), data.begin(), data.end());
        if (sm24) {
            const Bytes low = reader.bytes(sm24->start + from, until - from);
            out.sm24.insert(out.sm24.end(), low.begin(), low.end());
        }
        const std::int64_t shift = at - start;
        for (std::size_t field : {20, 24, 28, 32})
            put32(header + field, static_cast<std::uint32_t>(get32(header + field) + shift));
    }
    // Stereo partners are named by index.
    const auto newIndex = renumbered(kept);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        std::uint8_t* header = out.headers.data() + i * shdr.record;
        const auto partner = newIndex.find(get16(header + 42));
        put16(header + 42, partner != newIndex.end() ? partner->second : 0);
    }
    out.headers.insert(out.headers.end(), shdr.at(shdr.count()),
                       shdr.at(shdr.count()) + shdr.record);
    return out;
}

}  // namespace

Result<Bytes> soundFontSubset(const std::string& path,
                              const std::vector<std::pair<int, int>>& presets) {
    using R = Result<Bytes>;
    auto opened = io::RegularFile::open(path);
    if (!opened.ok()) return R::failure("cannot open (" + opened.error() + ")");
    const Reader reader(opened.value());
    const std::int64_t size = opened.value().size();
    const auto damaged = [] { return R::failure("the SoundFont file is damaged"); };
    const auto whole = reader.chunk(0, size);
    if (!whole || std::strcmp(whole->id, "RIFF") != 0) return damaged();
    const std::int64_t end = whole->start + whole->size;
    const auto info = reader.list(whole->start + 4, end, "INFO");
    const auto sdta = info ? reader.list(info->end(), end, "sdta") : std::nullopt;
    const auto pdta = sdta ? reader.list(sdta->end(), end, "pdta") : std::nullopt;
    if (!pdta) return damaged();
    std::optional<Chunk> smpl, sm24;
    if (sdta->size > 4) smpl = reader.chunk(sdta->start + 4, sdta->start + sdta->size);
    if (smpl) sm24 = reader.chunk(smpl->end(), sdta->start + sdta->size);
    if (!smpl || std::strcmp(smpl->id, "smpl") != 0) smpl = Chunk{"smpl", 0, 0};
    // FluidSynth ignores 24-bit data that does not match the 16-bit data point for point.
    if (sm24 && (std::strcmp(sm24->id, "sm24") != 0 || 2 * sm24->size != smpl->size)) sm24.reset();

    std::array<Table, kSoundFontTables.size()> tables;
    std::int64_t at = pdta->start + 4;
    for (std::size_t i = 0; i < kSoundFontTables.size(); ++i) {
        const auto table = reader.chunk(at, pdta->start + pdta->size);
        if (!table || std::strcmp(table->id, kSoundFontTables[i].id) != 0 ||
            table->size % kSoundFontTables[i].record != 0 || table->size == 0)
            return damaged();
        tables[i] = {reader.bytes(table->start, table->size),
                     static_cast<std::size_t>(kSoundFontTables[i].record)};
        if (tables[i].bytes.size() != static_cast<std::size_t>(table->size)) return damaged();
        at = table->end();
    }
    const Level presetLevel{tables[kPhdr],      24, tables[kPbag], tables[kPmod], tables[kPgen],
                            kInstrumentOperator};
    const Level instrumentLevel{tables[kInst],  20, tables[kIbag], tables[kImod], tables[kIgen],
                                kSampleOperator};

    const std::set<std::size_t> keptPresets = presetsFor(tables[kPhdr], presets);
    const auto keptInstruments = namedBelow(presetLevel, keptPresets, tables[kInst].count());
    if (!keptInstruments) return damaged();
    auto keptSamples = namedBelow(instrumentLevel, *keptInstruments, tables[kShdr].count());
    if (!keptSamples) return damaged();
    for (std::size_t s : std::set<std::size_t>(*keptSamples))
        if (const std::size_t partner = get16(tables[kShdr].at(s) + 42);
            partner < tables[kShdr].count() && partner != s)
            keptSamples->insert(partner);

    const auto presetTables = subsetLevel(presetLevel, keptPresets, renumbered(*keptInstruments));
    const auto instrumentTables =
        subsetLevel(instrumentLevel, *keptInstruments, renumbered(*keptSamples));
    const SampleData samples = subsetSamples(reader, tables[kShdr], *keptSamples, *smpl, sm24);

    Bytes sdtaBody, pdtaBody;
    appendChunk(sdtaBody, "smpl", samples.smpl);
    if (sm24) appendChunk(sdtaBody, "sm24", samples.sm24);
    for (std::size_t i = 0; i < 4; ++i)
        appendChunk(pdtaBody, kSoundFontTables[i].id, presetTables[i]);
    for (std::size_t i = 0; i < 4; ++i)
        appendChunk(pdtaBody, kSoundFontTables[4 + i].id, instrumentTables[i]);
    appendChunk(pdtaBody, "shdr", samples.headers);
    Bytes body(reader.bytes(info->start - 8, info->end() - info->start + 8));
    body.insert(body.begin(), {'s', 'f', 'b', 'k'});
    for (const Bytes& list : {listChunk("sdta", sdtaBody), listChunk("pdta", pdtaBody)})
        body.insert(body.end(), list.begin(), list.end());
    Bytes file;
    appendChunk(file, "RIFF", body);
    return R::success(std::move(file));
}

}  // namespace xmascard::media
