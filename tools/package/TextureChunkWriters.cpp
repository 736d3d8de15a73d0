// Texture page entries, textures and tile sets.
#include "ChunkWriters.h"
#include "TextureEncoder.h"

using namespace package;

void WriteTexturePageChunk(PackageWriteState& state) {
    const auto& entries = state.package.texture_page_entries;
    const uint32_t references = state.out.AppendList(entries.size());
    std::vector<uint32_t> offsets;
    for (size_t i = 0; i < entries.size(); ++i) {
        offsets.push_back(state.out.Append(entries[i]));
        state.out.Patch(references + 4 * i, offsets.back());
        state.out.AlignTo4();
    }
    // Sprites, tile sets and fonts were written first and refer to these.
    state.out.ResolveTexturePages(offsets);
}

void WriteTextureChunk(PackageWriteState& state) {
    const bool with_mips = state.package.header.NewProject();
    // The records first, the data after them.
    std::vector<std::pair<uint32_t, const PackageTexture*>> data_fields;
    WriteResources(state, state.package.textures, [&](const PackageTexture& texture) {
        uint32_t at = 0;
        if (with_mips) {
            at = state.out.Append(TextureRecordV2{texture.flags, texture.mip_count, 0});
            data_fields.emplace_back(at + offsetof(TextureRecordV2, data), &texture);
        } else {
            at = state.out.Append(TextureRecord{texture.flags, 0});
            data_fields.emplace_back(at + offsetof(TextureRecord, data), &texture);
        }
        return at;
    });
    for (const auto& [field, texture] : data_fields) {
        state.out.Patch(field, state.out.AppendBytes(EncodeTexture(*texture)));
        state.out.AlignTo4();
    }
}

void WriteBackgroundChunk(PackageWriteState& state) {
    WriteResources(state, state.package.backgrounds, [&](const PackageBackground& background) {
        BackgroundRecord record{};
        record.transparent = background.transparent;
        record.smooth = background.smooth;
        record.preload = background.preload;
        record.tile_width = background.tile_width;
        record.tile_height = background.tile_height;
        record.border_x = background.border_x;
        record.border_y = background.border_y;
        record.columns = background.columns;
        record.frames_per_tile = background.frames_per_tile;
        record.tile_count = background.tile_count;
        record.frame_time_us = background.frame_time_us;
        const uint32_t at = state.out.Append(record);
        state.out.ReferString(at + offsetof(BackgroundRecord, name), background.name);
        state.out.ReferTexturePage(at + offsetof(BackgroundRecord, texture_page),
                                   background.texture_page);
        for (uint32_t frame : background.frames)
            state.out.Append(frame);
        return at;
    });
}
