// Fonts in the layout of the package's bytecode version, with their glyphs.
#include "ChunkWriters.h"

#include <bit>
#include <cmath>

using namespace package;

namespace {

// Whole non-negative sizes as integers, others as the float with its sign flipped.
uint32_t EncodeSize(float size) {
    if (size >= 0 && size <= float(INT32_MAX) && std::floor(size) == size)
        return uint32_t(int32_t(size));
    return std::bit_cast<uint32_t>(-size);
}

template <class Record>
void FillCommon(Record& record, const PackageFont& font) {
    record.bold = font.bold;
    record.italic = font.italic;
    record.last_char = font.last_char;
    record.scale_x = font.scale_x;
    record.scale_y = font.scale_y;
    record.glyph_count = uint32_t(font.glyphs.size());
}

uint32_t WriteFont(PackageWriteState& state, const PackageFont& font) {
    uint32_t at = 0;
    if (state.package.header.bytecode_version >= kFontLayoutFromVersion) {
        FontRecord record{};
        FillCommon(record, font);
        record.size = EncodeSize(font.size);
        record.first_char = font.first_char | uint32_t(font.charset) << kFontCharsetShift |
                            uint32_t(uint8_t(font.antialias + 1)) << kFontAntialiasShift;
        at = state.out.Append(record);
        state.out.ReferTexturePage(at + offsetof(FontRecord, texture_page), font.texture_page);
    } else {
        LegacyFontRecord record{};
        FillCommon(record, font);
        record.size = int32_t(font.size);
        record.first_char = font.first_char;
        at = state.out.Append(record);
        state.out.ReferTexturePage(at + offsetof(LegacyFontRecord, texture_page),
                                   font.texture_page);
    }
    state.out.ReferString(at + offsetof(FontRecord, name), font.name);
    state.out.ReferString(at + offsetof(FontRecord, face), font.face);
    // The glyph references follow the record's glyph count.
    std::vector<uint32_t> references;
    for (size_t i = 0; i < font.glyphs.size(); ++i)
        references.push_back(state.out.Append(uint32_t(0)));
    for (size_t i = 0; i < font.glyphs.size(); ++i)
        state.out.Patch(references[i], state.out.Append(font.glyphs[i]));
    return at;
}

} // namespace

void WriteFontChunk(PackageWriteState& state) {
    WriteResources(state, state.package.fonts,
                   [&](const PackageFont& font) { return WriteFont(state, font); });
}
