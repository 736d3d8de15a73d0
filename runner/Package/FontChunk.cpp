// Fonts in the current layout (size as integer or negated float, character set and
// anti-aliasing packed with the first character) and the older one, with their glyphs.
#include "Package/PackageChunkReaders.h"

#include <bit>

using namespace package;

namespace {

template <class Record>
void ReadGlyphs(PackageReadState& state, uint64_t at, PackageFont& font) {
    const uint64_t count_at = at + offsetof(Record, glyph_count);
    const uint32_t count = state.bytes.Count(count_at, 4, "glyphs");
    font.glyphs.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        PackageBytes::Context context(state.bytes, "glyph", i);
        const uint64_t reference_at = count_at + 4 + 4 * uint64_t(i);
        const uint32_t reference = state.bytes.Word(reference_at, "glyph");
        state.NeedReference(reference, "glyph record", reference_at);
        font.glyphs.push_back(state.bytes.Read<Glyph>(reference, "glyph record"));
    }
}

PackageFont ReadFont(PackageReadState& state, uint32_t at) {
    PackageFont font;
    if (state.package.header.bytecode_version >= kFontLayoutFromVersion) {
        auto record = state.bytes.Read<FontRecord>(at, "font record");
        font.name = state.bytes.String(record.name, "name");
        font.face = state.bytes.String(record.face, "face");
        // A negative word is a float size with its sign flipped.
        font.size = int32_t(record.size) >= 0 ? float(int32_t(record.size))
                                              : -std::bit_cast<float>(record.size);
        font.bold = record.bold != 0;
        font.italic = record.italic != 0;
        font.first_char = uint16_t(record.first_char & kFontFirstCharMask);
        font.charset = uint8_t(record.first_char >> kFontCharsetShift);
        font.antialias = int32_t(record.first_char >> kFontAntialiasShift) - 1;
        font.last_char = record.last_char;
        font.texture_page = state.TexturePageIndex(record.texture_page, "texture page entry",
                                                   at + offsetof(FontRecord, texture_page));
        font.scale_x = record.scale_x;
        font.scale_y = record.scale_y;
        ReadGlyphs<FontRecord>(state, at, font);
    } else {
        auto record = state.bytes.Read<LegacyFontRecord>(at, "font record");
        font.name = state.bytes.String(record.name, "name");
        font.face = state.bytes.String(record.face, "face");
        font.size = float(record.size);
        font.bold = record.bold != 0;
        font.italic = record.italic != 0;
        font.first_char = uint16_t(record.first_char & kFontFirstCharMask);
        font.last_char = record.last_char;
        font.texture_page = state.TexturePageIndex(record.texture_page, "texture page entry",
                                                   at + offsetof(LegacyFontRecord, texture_page));
        font.scale_x = record.scale_x;
        font.scale_y = record.scale_y;
        ReadGlyphs<LegacyFontRecord>(state, at, font);
    }
    return font;
}

} // namespace

void ReadFontChunk(PackageReadState& state, const PackageChunk& chunk) {
    state.ReadResources(chunk, "font", state.package.fonts,
                        [&](uint32_t at) { return ReadFont(state, at); });
}
