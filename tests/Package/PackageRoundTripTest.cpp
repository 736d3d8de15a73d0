// A package written and read back gives every record back, in old layouts too.
#include "Package/PackageReader.h"
#include "PackageWriter.h"
#include "SamplePackage.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {

using namespace package;

GamePackage ReadBack(const GamePackage& written) {
    GamePackage read;
    PackageStatus status = ReadPackage(WritePackage(written), read);
    EXPECT_TRUE(status.ok) << status.error;
    return read;
}

TEST(PackageRoundTrip, EveryRecordKindComesBack) {
    SamplePackage sample;
    const GamePackage& written = sample.tables;
    GamePackage read = ReadBack(written);
    EXPECT_EQ(read.header, written.header);
    EXPECT_EQ(read.options, written.options);
    EXPECT_EQ(read.objects, written.objects);
    ASSERT_EQ(read.rooms, written.rooms);
    EXPECT_EQ(read.sprites, written.sprites);
    EXPECT_EQ(read.texture_page_entries, written.texture_page_entries);
    // PNG, 32-bit and 16-bit RAW decode to the same RGBA pixels; the empty slot stays empty.
    EXPECT_EQ(read.textures, written.textures);
    EXPECT_EQ(read.backgrounds, written.backgrounds);
    EXPECT_EQ(read.fonts, written.fonts);
    EXPECT_EQ(read.sounds, written.sounds);
    EXPECT_EQ(read.audio_groups, written.audio_groups);
    ASSERT_EQ(read.audio.size(), written.audio.size());
    for (size_t i = 0; i < read.audio.size(); ++i)
        EXPECT_TRUE(std::ranges::equal(read.audio[i], written.audio[i])) << i;
    // Every chunk the reader reads is there, each once.
    for (uint32_t tag : {kTagGen8, kTagOptn, kTagAgrp, kTagSond, kTagSprt, kTagBgnd, kTagScpt,
                         kTagGlob, kTagKten, kTagFont, kTagObjt, kTagRoom, kTagTpag, kTagCode,
                         kTagVari, kTagFunc, kTagStrg, kTagTxtr, kTagAudo})
        EXPECT_EQ(std::ranges::count(read.chunks, tag, &PackageChunk::tag), 1) << ChunkTagText(tag);
    EXPECT_EQ(read.sprites[0]->Reach(), 7); // from the origin (6, 3) to a top corner: 6.7
    EXPECT_TRUE(read.sprites[0]->SeparateMasks());
    // All names are pooled once, the extra strings after them.
    for (std::string_view name : {"sMireth", "rmSnow", "Snow Sans", "a string only the code uses"})
        EXPECT_EQ(std::ranges::count(read.strings, name), 1) << name;
    EXPECT_EQ(read.strings.back(), "a string only the code uses");

    // Occurrence chains are written into the operand words; every other byte is kept.
    std::set<std::pair<int32_t, uint32_t>> operands;
    auto note = [&](const auto& named) {
        for (const CodeLocation& place : named.occurrences)
            for (uint32_t b = 0; b < 4; ++b)
                operands.emplace(place.code_index, place.offset + kOccurrenceOperandOffset + b);
    };
    std::ranges::for_each(written.variables, note);
    std::ranges::for_each(written.functions, note);
    ASSERT_EQ(read.code.size(), written.code.size());
    for (size_t i = 0; i < written.code.size(); ++i) {
        EXPECT_EQ(read.code[i].name, written.code[i].name);
        EXPECT_EQ(read.code[i].local_count, written.code[i].local_count);
        EXPECT_EQ(read.code[i].argument_count, written.code[i].argument_count);
        ASSERT_EQ(read.code[i].bytes.size(), written.code[i].bytes.size());
        for (uint32_t b = 0; b < written.code[i].bytes.size(); ++b)
            if (!operands.count({int32_t(i), b})) {
                EXPECT_EQ(read.code[i].bytes[b], written.code[i].bytes[b]) << i << ":" << b;
            }
    }
    EXPECT_EQ(read.variable_counts, written.variable_counts);
    EXPECT_EQ(read.variables, written.variables);
    EXPECT_EQ(read.functions, written.functions);
    EXPECT_EQ(read.code_locals, written.code_locals);
    EXPECT_EQ(read.scripts, written.scripts);
    EXPECT_EQ(read.global_init_code, written.global_init_code);
    EXPECT_EQ(read.game_end_code, written.game_end_code);
}

TEST(PackageRoundTrip, OlderVersionsUseTheirLayouts) {
    SamplePackage sample;
    GamePackage& old = sample.tables;
    old.header.bytecode_version = 8; // objects without friction, rooms with physics, old fonts
    old.header.major_version = 1;    // textures without mips, sprites without speeds
    old.options.legacy_layout = true;
    for (auto& texture : old.textures)
        if (texture) texture->mip_count = 0;
    for (auto& sprite : old.sprites) {
        if (!sprite) continue;
        sprite->playback_speed = 1;
        sprite->playback_speed_type = 0;
    }
    old.sprites[2]->extended_layout = false;
    old.fonts[1]->size = 13;
    for (auto& font : old.fonts) {
        font->charset = 0;
        font->antialias = -1;
    }

    GamePackage read = ReadBack(old);
    // Read only from the versions that have them.
    EXPECT_EQ(read.header.display_name, "");
    EXPECT_EQ(read.header.store_app_id, 0u);
    EXPECT_EQ(read.header.function_classifications, ~uint64_t(0));
    EXPECT_EQ(read.header.game_speed, 60);
    // Options from one word per flag; fast collision is not forced on an old project.
    EXPECT_TRUE(read.options.legacy_layout);
    EXPECT_EQ(read.options.flags, kOptionFullScreen | kOptionNewAudio | kOptionShowCursor |
                                      kOptionFreezeOnLostFocus | kOptionCreationEventOrder);
    EXPECT_EQ(read.options.constants, old.options.constants);
    // Friction and the rest take their defaults before version 9.
    EXPECT_EQ(read.objects[0]->physics.friction, kDefaultFriction);
    EXPECT_TRUE(read.objects[0]->physics.awake);
    EXPECT_EQ(read.objects[0]->physics.vertices, old.objects[0]->physics.vertices);
    EXPECT_EQ(read.rooms, old.rooms);
    EXPECT_EQ(read.sprites, old.sprites);
    EXPECT_EQ(read.textures, old.textures);
    EXPECT_EQ(read.fonts, old.fonts);
    // No variable or function tables before version 15.
    EXPECT_TRUE(read.variables.empty());
    EXPECT_TRUE(read.functions.empty());

    // Before version 6: no physics words, no room physics or layers.
    old.header.bytecode_version = 4;
    old.objects[0]->physics = {};
    for (auto& room : old.rooms) {
        room->physics_world = false;
        room->gravity_y = 0;
        room->pixels_to_metres = 0;
        room->layers.clear();
    }
    read = ReadBack(old);
    EXPECT_EQ(read.objects, old.objects);
    EXPECT_EQ(read.rooms, old.rooms);
    EXPECT_FALSE(read.options.Has(kOptionCreationEventOrder)); // not read before version 5
}

} // namespace
