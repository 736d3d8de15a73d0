// The world fixture with what room tests add to a package (tile sets, layers, texture pages) and
// read back (the view built-in variables, the error output); and one that draws the room.
#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "Base/OutputChannel.h"
#include "Code/ValueArray.h"
#include "Graphics/GraphicsContext.h"
#include "Object/WorldFixture.h"
#include "Room/CRoom.h"
#include "Room/RoomLayers.h"
#include "Variable/BuiltinVariableTable.h"
#include "Variable/GameVariables.h"
#include "Variable/VariableAccess.h"

class RoomFixture : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        ErrorOutput().CaptureTo(&error_output_);
    }
    void TearDown() override {
        SetLayerTargetRoom(-1);
        ErrorOutput().CaptureTo(nullptr);
        WorldFixture::TearDown();
    }

    // A tile set of `tile_count` 8x8 tiles, four a row, on a white page of width x height.
    int32_t AddTileSet(uint32_t tile_count, uint16_t width, uint16_t height) {
        PackageBackground tile_set;
        tile_set.name = Text("ts" + std::to_string(package_.backgrounds.size()));
        tile_set.texture_page = AddPage(width, height);
        tile_set.tile_width = tile_set.tile_height = 8;
        tile_set.columns = 4;
        tile_set.tile_count = tile_count;
        for (uint32_t tile = 0; tile < tile_count; ++tile)
            tile_set.frames.push_back(tile);
        package_.backgrounds.emplace_back(tile_set);
        return int32_t(package_.backgrounds.size() - 1);
    }

    // The new layer stays valid until the next one is added to that room.
    RoomLayer& AddLayer(int32_t room, uint32_t id, uint32_t type, int32_t depth) {
        RoomLayer layer;
        layer.name = Text("Layer" + std::to_string(id));
        layer.id = id;
        layer.type = type;
        layer.depth = depth;
        return package_.rooms[size_t(room)]->layers.emplace_back(layer);
    }

    // The id of the first element of a layer of the running room.
    static int32_t FirstElementId(std::string_view layer_name) {
        CLayer* layer = CurrentRoom()->FindLayer(layer_name);
        return layer && !layer->elements.empty() ? layer->elements[0].id : -1;
    }

    static double Global(const char* name, int32_t index = ARRAY_INDEX_NONE) {
        return GetBuiltin(GlobalObject(), name, index);
    }
    static void SetGlobal(const char* name, double number, int32_t index = ARRAY_INDEX_NONE) {
        SetBuiltin(GlobalObject(), name, number, index);
    }

    // A texture page of its own holding `pixels` (RGBA; white all over when none); returns its
    // entry.
    int32_t AddPage(uint16_t width, uint16_t height, std::vector<uint8_t> pixels = {}) {
        PackageTexture texture;
        texture.encoding = TextureEncoding::Raw32;
        texture.width = width;
        texture.height = height;
        texture.pixels = std::move(pixels);
        if (texture.pixels.empty()) texture.pixels.assign(size_t(width) * height * 4, 255);
        package_.textures.emplace_back(texture);
        package_.texture_page_entries.push_back(
            {0, 0, width, height, 0, 0, width, height, width, height,
             int16_t(package_.textures.size() - 1)});
        return int32_t(package_.texture_page_entries.size() - 1);
    }

    std::string error_output_;
};

// Rooms drawn by the runner through a drawing context over the recording device, at the game's
// size of 320x180.
class RoomDrawingFixture : public RoomFixture {
protected:
    void TearDown() override {
        SetActiveGraphics(nullptr);
        RoomFixture::TearDown();
    }

    void StartDrawing() {
        Start();
        drawing_.LoadPackage(loader_.Package());
        SetActiveGraphics(&drawing_);
    }

    // A 16x16 sprite, solid all over, whose frame is a white page of its own.
    int32_t AddWhiteSprite(const std::string& name, int32_t origin = 0) {
        const int32_t entry = AddPage(16, 16);
        const int32_t sprite =
            AddSprite(name, std::vector<std::string>(16, std::string(16, '#')), origin, origin);
        package_.sprites[size_t(sprite)]->frames = {entry};
        return sprite;
    }

    TextureId PageTexture(int32_t entry) { return drawing_.Pages().Entry(entry)->texture; }

    // The vertices drawn from `texture` (into `target` when one is given), in order.
    std::vector<Vertex> VerticesOf(TextureId texture, std::optional<TextureId> target = {}) {
        drawing_.Flush();
        std::vector<Vertex> vertices;
        for (const auto& draw : graphics_.draws)
            if (draw.texture == texture && (!target || draw.target == *target))
                vertices.insert(vertices.end(), draw.vertices.begin(), draw.vertices.end());
        return vertices;
    }

    GraphicsContext drawing_{graphics_, 320, 180};
};

// Left, top, right and bottom of the vertices [first, first + count), all of them by default.
inline std::array<float, 4> BoundsOf(const std::vector<Vertex>& vertices, size_t first = 0,
                                     size_t count = SIZE_MAX) {
    std::array<float, 4> bounds{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (size_t i = first; i < vertices.size() && i - first < count; ++i)
        bounds = {std::min(bounds[0], vertices[i].x), std::min(bounds[1], vertices[i].y),
                  std::max(bounds[2], vertices[i].x), std::max(bounds[3], vertices[i].y)};
    return bounds;
}
