// Everything a game package holds, as loaded: the image (the file, read once and kept for the
// life of the game) and the resource tables read from it.
//
// Names and other texts are std::string_view into the image, and code bytes and audio data are
// spans of it, so they live exactly as long as the package. A package moves without copying
// its image (the views stay valid) and cannot be copied. The writer takes the same tables as
// its input; there the views point at the caller's data.
#pragma once

#include "Package/PackageCode.h"
#include "Package/PackageFont.h"
#include "Package/PackageHeader.h"
#include "Package/PackageObject.h"
#include "Package/PackageRoom.h"
#include "Package/PackageSound.h"
#include "Package/PackageSprite.h"
#include "Package/PackageTexture.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

struct PackageChunk {
    uint32_t tag;
    uint32_t offset; // of the payload
    uint32_t length;
};

// One slot per resource index; an empty slot keeps the indices after it in place.
template <class T>
using ResourceList = std::vector<std::optional<T>>;

struct GamePackage {
    GamePackage() = default;
    GamePackage(GamePackage&&) = default;
    GamePackage& operator=(GamePackage&&) = default;
    GamePackage(const GamePackage&) = delete;
    GamePackage& operator=(const GamePackage&) = delete;

    std::vector<uint8_t> image;
    std::vector<PackageChunk> chunks; // in file order, zero-length chunks too

    PackageHeader header;
    PackageOptions options;
    std::vector<std::string_view> strings;

    ResourceList<PackageObject> objects;
    ResourceList<PackageRoom> rooms;
    ResourceList<PackageSprite> sprites;
    ResourceList<PackageBackground> backgrounds;
    ResourceList<PackageFont> fonts;
    ResourceList<PackageSound> sounds;
    ResourceList<PackageAudioGroup> audio_groups;
    ResourceList<PackageScript> scripts;
    ResourceList<PackageTexture> textures;
    std::vector<package::TexturePageEntry> texture_page_entries;
    std::vector<std::span<const uint8_t>> audio;

    std::vector<PackageCodeEntry> code;
    PackageVariableCounts variable_counts;
    std::vector<PackageVariable> variables;
    std::vector<PackageFunction> functions;
    std::vector<PackageCodeLocals> code_locals;
    std::vector<int32_t> global_init_code; // code entry indices
    std::vector<int32_t> game_end_code;
};
