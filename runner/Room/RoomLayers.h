// Layer elements from the package, the per-frame layer motion and background animation, and
// the room that the layer functions act on.
#pragma once

#include <cstdint>

#include "Package/PackageRoom.h"
#include "Room/CLayer.h"

class CRoom;

// Adds the record's backgrounds, sprites, tiles or tile map to the layer (its instances join
// it as they are made).
void AddPackageElements(CLayer& layer, const RoomLayer& record);

// The "Update" stage of a new project: each layer of the running room moves by its speeds
// and each animated background advances, wrapping within its sprite's frames.
void UpdateRoomLayers();

// Layer functions act on the running room, or on the running copy of the target room once
// one is set (-1 none). Null when that room has no running copy.
void SetLayerTargetRoom(int32_t room_index);
CRoom* LayerRoom();

// The tile map element with that id in the room, or null.
TileMapElement* FindTileMap(CRoom& room, int32_t element_id);
