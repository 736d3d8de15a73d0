#include "Runner/GameWorld.h"

#include "Base/RunnerState.h"
#include "Font/FontTable.h"
#include "Object/CollisionWorld.h"
#include "Object/InstanceLifecycle.h"
#include "Object/ObjectTable.h"
#include "Room/TileSetTable.h"
#include "Run/RoomFlow.h"
#include "Sprite/SpriteTable.h"
#include "Variable/InstanceDirectory.h"

void PrepareGameObjects(const GamePackage& package) {
    LoadSprites(package.sprites);
    LoadFonts(package.fonts);
    Objects().Load(package.objects);
    SetInstanceDirectory(&RunningInstanceDirectory());
    const uint32_t options = package.options.flags;
    const bool fast = (options & package::kOptionFastCollision) != 0;
    Runner().round_collision_boxes = !fast || (options & package::kOptionFastCollisionCompatibility) != 0;
    SetFastCollision(fast);
    // Collision events come from the grid only where nothing else moves instances and the
    // game's code does not ask for the pair list.
    bool physics = false;
    for (const auto& object : package.objects) physics |= object && object->physics.uses_physics;
    Runner().collision_events_through_grid = fast && !physics && !(package.header.function_classifications >> 57 & 1);
}

void PrepareGameRooms(const GamePackage& package) {
    LoadTileSets(package);
    PrepareRooms(&package);
}

void ReleaseGameWorld() {
    EndGame();
    PrepareRooms(nullptr);
    ClearTileSets();
    SetInstanceDirectory(nullptr);
    Objects().Clear();
    ClearFonts();
    ClearSprites();
}
