// Texture page entries, the textures themselves, and the tile sets cut from them.
#include "Package/PackageChunkReaders.h"
#include "Package/TextureDecoder.h"

using namespace package;

void ReadTexturePageChunk(PackageReadState& state, const PackageChunk& chunk) {
    std::vector<uint32_t> references = state.ChunkReferences(chunk, "texture page entries");
    auto& entries = state.package.texture_page_entries;
    entries.reserve(references.size());
    for (size_t i = 0; i < references.size(); ++i) {
        PackageBytes::Context context(state.bytes, "texture page entry", int64_t(i));
        state.NeedReference(references[i], "entry", chunk.offset + 4 + 4 * uint64_t(i));
        entries.push_back(state.bytes.Read<TexturePageEntry>(references[i], "entry"));
    }
    state.IndexTexturePages(references);
}

void ReadTextureChunk(PackageReadState& state, const PackageChunk& chunk) {
    const bool with_mips = state.package.header.NewProject();
    state.ReadResources(chunk, "texture", state.package.textures, [&](uint32_t at) {
        PackageTexture texture;
        uint32_t data = 0;
        if (with_mips) {
            auto record = state.bytes.Read<TextureRecordV2>(at, "texture record");
            texture.flags = record.flags;
            texture.mip_count = record.mip_count;
            data = record.data;
        } else {
            auto record = state.bytes.Read<TextureRecord>(at, "texture record");
            texture.flags = record.flags;
            data = record.data;
        }
        if (data == kNone)
            texture.encoding = TextureEncoding::None;
        else
            DecodeTexture(state.bytes, data, texture);
        return texture;
    });
}

void ReadBackgroundChunk(PackageReadState& state, const PackageChunk& chunk) {
    state.ReadResources(chunk, "background", state.package.backgrounds, [&](uint32_t at) {
        auto record = state.bytes.Read<BackgroundRecord>(at, "background record");
        PackageBackground background;
        background.name = state.bytes.String(record.name, "name");
        background.transparent = record.transparent != 0;
        background.smooth = record.smooth != 0;
        background.preload = record.preload != 0;
        background.texture_page =
            state.TexturePageIndex(record.texture_page, "texture page entry",
                                   at + offsetof(BackgroundRecord, texture_page));
        background.tile_width = record.tile_width;
        background.tile_height = record.tile_height;
        background.border_x = record.border_x;
        background.border_y = record.border_y;
        background.columns = record.columns;
        background.frames_per_tile = record.frames_per_tile;
        background.tile_count = record.tile_count;
        background.frame_time_us = record.frame_time_us;

        const uint64_t frames_at = at + sizeof(BackgroundRecord);
        const uint64_t count = uint64_t(record.tile_count) * record.frames_per_tile;
        state.bytes.NeedItems(frames_at, count, 4, "frame table");
        background.frames.resize(count);
        for (uint64_t i = 0; i < count; ++i) {
            background.frames[i] = state.bytes.Word(frames_at + 4 * i, "frame table");
            state.CheckIndex(background.frames[i], record.tile_count, false, "frame table tile",
                             frames_at + 4 * i);
        }
        return background;
    });
}
