// The world fixture with what room tests add to a package (tile sets, layers) and read back
// (the view built-in variables, the error output).
#pragma once

#include <string>

#include "Base/OutputChannel.h"
#include "Code/ValueArray.h"
#include "Code/ValueConvert.h"
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

    // A tile set of `tile_count` tiles whose whole image is width x height pixels.
    int32_t AddTileSet(uint32_t tile_count, uint16_t width, uint16_t height) {
        if (package_.textures.empty()) {
            PackageTexture texture;
            texture.encoding = TextureEncoding::Raw32;
            texture.width = texture.height = 1;
            texture.pixels = {255, 255, 255, 255};
            package_.textures.emplace_back(texture);
        }
        package_.texture_page_entries.push_back({0, 0, 1, 1, 0, 0, 1, 1, width, height, 0});
        PackageBackground tile_set;
        tile_set.name = Text("ts" + std::to_string(package_.backgrounds.size()));
        tile_set.texture_page = int32_t(package_.texture_page_entries.size() - 1);
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
        ScopedRValue value;
        EXPECT_TRUE(GetVariableDirect(GlobalObject(), FindBuiltinVariable(name), index, value))
            << name;
        return ToReal(value);
    }
    static void SetGlobal(const char* name, double number, int32_t index = ARRAY_INDEX_NONE) {
        EXPECT_TRUE(
            SetVariableDirect(GlobalObject(), FindBuiltinVariable(name), index, RealValue(number)))
            << name;
    }

    std::string error_output_;
};
