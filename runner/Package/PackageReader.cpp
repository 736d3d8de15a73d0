// The container walk and the order in which the chunks are read.
#include "Package/PackageReader.h"

#include "Package/PackageChunkReaders.h"
#include "Package/PackageError.h"

#include <algorithm>
#include <new>

using namespace package;

namespace {

struct ChunkRead {
    uint32_t tag;
    ChunkReader read;
};

// Tables come before the records that refer to them. The header comes first since versions
// decide layouts; its room order is checked once the rooms are read.
constexpr ChunkRead kReadOrder[] = {
    {kTagStrg, ReadStringChunk},     {kTagCode, ReadCodeChunk},
    {kTagTxtr, ReadTextureChunk},    {kTagTpag, ReadTexturePageChunk},
    {kTagAudo, ReadAudioChunk},      {kTagAgrp, ReadAudioGroupChunk},
    {kTagSond, ReadSoundChunk},      {kTagSprt, ReadSpriteChunk},
    {kTagBgnd, ReadBackgroundChunk}, {kTagFont, ReadFontChunk},
    {kTagObjt, ReadObjectChunk},     {kTagRoom, ReadRoomChunk},
    {kTagScpt, ReadScriptChunk},     {kTagGlob, ReadGlobalInitChunk},
    {kTagKten, ReadGameEndChunk},    {kTagOptn, ReadOptionsChunk},
    {kTagVari, ReadVariableChunk},   {kTagFunc, ReadFunctionChunk},
};

constexpr uint32_t kHeaderTags[] = {kTagGen8, kTagGen7, kTagGenL};

// Accepted and left unread: the runner needs nothing from them.
constexpr uint32_t kIgnoredTags[] = {kTagLang, kTagExtn, kTagPath, kTagShdr, kTagTmln, kTagTgin,
                                     kTagEmbi, kTagDafl, kTagHelp, kTagRasp, kTagPsps, kTagStat};

bool IsHeaderTag(uint32_t tag) {
    return std::find(std::begin(kHeaderTags), std::end(kHeaderTags), tag) != std::end(kHeaderTags);
}

bool IsReadTag(uint32_t tag) {
    return IsHeaderTag(tag) ||
           std::any_of(std::begin(kReadOrder), std::end(kReadOrder),
                       [tag](const ChunkRead& read) { return read.tag == tag; });
}

void ListChunks(PackageReadState& state) {
    PackageBytes& bytes = state.bytes;
    if (bytes.Size() < sizeof(ChunkHeader))
        bytes.Fail("not a game package: the file is shorter than its 8-byte header", 0);
    const auto form = bytes.Read<ChunkHeader>(0, "file header");
    if (form.tag != kTagForm && form.tag != ReverseTag(kTagForm))
        bytes.Fail("not a game package: it starts with \"" + ChunkTagText(form.tag) +
                       "\" instead of \"FORM\"",
                   0);
    if (form.length != bytes.Size() - sizeof(ChunkHeader))
        bytes.Fail("length word says " + std::to_string(form.length) +
                       " bytes follow the header but the file holds " +
                       std::to_string(bytes.Size() - sizeof(ChunkHeader)),
                   4);

    auto& chunks = state.package.chunks;
    uint64_t at = sizeof(ChunkHeader);
    while (at < bytes.Size()) {
        if (bytes.Size() - at < sizeof(ChunkHeader))
            bytes.Fail("chunk header is cut off by the end of the file", at);
        const auto header = bytes.Read<ChunkHeader>(at, "chunk header");
        const uint64_t payload = at + sizeof(ChunkHeader);
        if (header.length > bytes.Size() - payload)
            bytes.Fail("chunk " + ChunkTagText(header.tag) + " of " +
                           std::to_string(header.length) + " bytes runs past the end of the file",
                       at + 4);
        if (header.length != 0 && IsReadTag(header.tag)) {
            for (const PackageChunk& earlier : chunks)
                if (earlier.length != 0 && (earlier.tag == header.tag ||
                                            (IsHeaderTag(earlier.tag) && IsHeaderTag(header.tag))))
                    bytes.Fail("a second " + ChunkTagText(header.tag) + " chunk", at);
        }
        chunks.push_back({header.tag, uint32_t(payload), header.length});
        at = payload + header.length;
    }
}

const PackageChunk* FindChunk(const GamePackage& package, uint32_t tag) {
    for (const PackageChunk& chunk : package.chunks)
        if (chunk.tag == tag && chunk.length != 0) return &chunk;
    return nullptr;
}

void CheckRoomOrder(PackageReadState& state, const PackageChunk& header) {
    PackageBytes::Context context(state.bytes, "header");
    const auto& order = state.package.header.room_order;
    for (size_t i = 0; i < order.size(); ++i)
        state.CheckIndex(order[i], state.package.rooms.size(), false, "room order entry",
                         header.offset + sizeof(HeaderRecord) + 4 * uint64_t(i));
}

void ReadChunks(PackageReadState& state) {
    ListChunks(state);
    const PackageChunk* header = nullptr;
    for (uint32_t tag : kHeaderTags)
        if (!header) header = FindChunk(state.package, tag);
    if (!header) state.bytes.Fail("the package has no header chunk (GEN8)", sizeof(ChunkHeader));
    ReadHeaderChunk(state, *header);

    const bool code_tables = state.package.header.bytecode_version >= kCodeTablesFromVersion;
    for (const ChunkRead& read : kReadOrder) {
        if (!code_tables && (read.tag == kTagVari || read.tag == kTagFunc)) continue;
        if (const PackageChunk* chunk = FindChunk(state.package, read.tag))
            read.read(state, *chunk);
    }
    CheckRoomOrder(state, *header);
}

void ReadAudioGroupChunks(PackageReadState& state) {
    ListChunks(state);
    if (const PackageChunk* audio = FindChunk(state.package, kTagAudo)) ReadAudioChunk(state, *audio);
}

PackageStatus ReadImage(std::vector<uint8_t> image, GamePackage& package, void (*read)(PackageReadState&)) {
    package = GamePackage{};
    package.image = std::move(image);
    try {
        PackageReadState state(package);
        read(state);
    } catch (const PackageError& error) {
        package = GamePackage{};
        return PackageStatus::Failure(error.what());
    } catch (const std::bad_alloc&) {
        package = GamePackage{};
        return PackageStatus::Failure("out of memory while reading the package");
    }
    return PackageStatus::Success();
}

} // namespace

PackageStatus ReadPackage(std::vector<uint8_t> image, GamePackage& package) {
    return ReadImage(std::move(image), package, ReadChunks);
}

PackageStatus ReadAudioGroupFile(std::vector<uint8_t> image, GamePackage& package) {
    return ReadImage(std::move(image), package, ReadAudioGroupChunks);
}

std::string ChunkTagText(uint32_t tag) {
    std::string text(4, '?');
    for (size_t i = 0; i < 4; ++i) {
        const char c = char((tag >> (8 * i)) & 0xFF);
        if (c >= 0x20 && c < 0x7F) text[i] = c;
    }
    return text;
}

bool IsKnownChunkTag(uint32_t tag) {
    return IsReadTag(tag) || std::find(std::begin(kIgnoredTags), std::end(kIgnoredTags), tag) !=
                                 std::end(kIgnoredTags);
}
