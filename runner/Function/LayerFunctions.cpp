// Built-ins of layers and tile maps: layers made at run time, layer visibility, tile map
// elements and their cells, the flag bits of a cell, and drawing a tile map anywhere. They act
// on the layer room (Room/RoomLayers.h). Problems are reported and change nothing;
// tilemap_set's own problems only go to the error output, since games call it in bulk.
#include <algorithm>
#include <cstdint>
#include <string>

#include "Base/OutputChannel.h"
#include "Code/ArgumentCount.h"
#include "Code/Builtins.h"
#include "Code/RuntimeError.h"
#include "Function/BuiltinGroups.h"
#include "Graphics/GraphicsFunctions.h"
#include "Room/CRoom.h"
#include "Room/RoomLayers.h"
#include "Room/TileSetTable.h"
#include "Run/TileMapDrawing.h"
#include "Variable/BuiltinArgs.h"

namespace {

// Larger maps are refused rather than allowed to exhaust memory.
constexpr uint64_t kMaxTileMapCells = uint64_t(1) << 24;

// A layer is named by its id, or by its name as a string.
CLayer* LayerArg(const RValue* args, int index) {
    CRoom* room = LayerRoom();
    if (!room) return nullptr;
    if (args[index].Kind() == VALUE_STRING)
        return room->FindLayer(std::string_view(ArgString(args, index)));
    return room->FindLayer(ArgInt32(args, index));
}

TileMapElement* TileMapArg(const RValue* args) {
    CRoom* room = LayerRoom();
    return room ? FindTileMap(*room, ArgInt32(args, 0)) : nullptr;
}

void layer_create(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    SetReal(result, -1);
    if (argc < 1) {
        ShowError("layer_create() - must have at least 1 argument", false);
        return;
    }
    CRoom* room = LayerRoom();
    if (!room) {
        ShowError("layer_create() - can't create layer", false);
        return;
    }
    const int32_t depth = ArgInt32(args, 0);
    std::string name = argc > 1 ? ArgString(args, 1) : "";
    SetReal(result, room->AddLayer(NextRunTimeLayerId(), depth, std::move(name)).id);
}

void layer_set_visible(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    if (!HasArgumentCount(argc, 2)) return;
    CLayer* layer = LayerArg(args, 0);
    if (!layer) {
        ShowError("layer_set_visible() - could not find specified layer in current room", false);
        return;
    }
    layer->visible = ArgBool(args, 1);
}

void layer_tilemap_create(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    SetReal(result, -1);
    if (!HasArgumentCount(argc, 6)) return;
    CLayer* layer = LayerArg(args, 0);
    if (!layer) {
        ShowError("layer_tilemap_create() - could not find specified layer in current room", false);
        return;
    }
    TileMapElement element;
    element.x = ArgFloat(args, 1);
    element.y = ArgFloat(args, 2);
    element.map.tile_set = ArgInt32(args, 3);
    element.map.width = uint32_t(std::max(ArgInt32(args, 4), 0));
    element.map.height = uint32_t(std::max(ArgInt32(args, 5), 0));
    if (uint64_t(element.map.width) * element.map.height > kMaxTileMapCells) {
        ShowError("layer_tilemap_create() - tilemap too large", false);
        return;
    }
    element.map.cells.assign(size_t(element.map.width) * element.map.height, 0);
    const int32_t id = NextLayerElementId();
    layer->elements.push_back({id, nullptr, std::move(element)});
    SetReal(result, id);
}

void tilemap_set(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    SetReal(result, 0);
    if (!HasArgumentCount(argc, 4)) return;
    TileMapElement* element = TileMapArg(args);
    if (!element) {
        ErrorOutput().Write("tilemap_set() - couldn't find specified tilemap\n");
        return;
    }
    TileMap& map = element->map;
    if (map.width == 0 || map.height == 0) {
        ErrorOutput().Write("tilemap_set() - tilemap is 0 by 0, not setting anything\n");
        return;
    }
    const uint32_t data = ArgUInt32(args, 1);
    const int32_t cell_x = ArgInt32(args, 2);
    const int32_t cell_y = ArgInt32(args, 3);
    if (cell_x < 0 || cell_y < 0 || uint32_t(cell_x) >= map.width || uint32_t(cell_y) >= map.height)
        return;
    const TileSet* tile_set = GetTileSet(map.tile_set);
    if (!tile_set || (data & package::kTileIndexMask) >= tile_set->source->tile_count) {
        ErrorOutput().Write("tilemap_set() - tile index outside tile set size\n");
        return;
    }
    map.cells[size_t(cell_y) * map.width + size_t(cell_x)] = data;
    SetReal(result, 1);
}

void tilemap_clear(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    SetReal(result, 0);
    if (!HasArgumentCount(argc, 2)) return;
    TileMapElement* element = TileMapArg(args);
    if (!element) {
        ErrorOutput().Write("tilemap_clear() - couldn't find specified tilemap\n");
        return;
    }
    std::fill(element->map.cells.begin(), element->map.cells.end(), ArgUInt32(args, 1));
    SetReal(result, 1);
}

void draw_tilemap(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    SetReal(result, 0);
    GraphicsContext* graphics = GraphicsForCall(argc, 3);
    if (!graphics) return;
    const TileMapElement* element = TileMapArg(args);
    if (!element) {
        ErrorOutput().Write("draw_tilemap() - couldn't find specified tilemap\n");
        return;
    }
    DrawTileMap(*graphics, element->map, float(ArgReal(args, 1)), float(ArgReal(args, 2)));
    SetReal(result, 1);
}

// The cell data with one flag bit set or cleared.
template <uint32_t kBit>
void SetTileBit(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    if (!HasArgumentCount(argc, 2)) return;
    const uint32_t data = ArgUInt32(args, 0);
    SetReal(result, ArgBool(args, 1) ? data | kBit : data & ~kBit);
}

} // namespace

void RegisterLayerFunctions() {
    RegisterBuiltin("layer_create", layer_create, BUILTIN_VARIADIC);
    RegisterBuiltin("layer_set_visible", layer_set_visible, 2);
    RegisterBuiltin("layer_tilemap_create", layer_tilemap_create, 6);
    RegisterBuiltin("tilemap_set", tilemap_set, 4);
    RegisterBuiltin("tilemap_clear", tilemap_clear, 2);
    RegisterBuiltin("draw_tilemap", draw_tilemap, 3);
    RegisterBuiltin("tile_set_mirror", SetTileBit<package::kTileMirror>, 2);
    RegisterBuiltin("tile_set_flip", SetTileBit<package::kTileFlip>, 2);
    RegisterBuiltin("tile_set_rotate", SetTileBit<package::kTileRotate>, 2);
}
