#include "Runner/GameWorld.h"

#include "Object/InstanceLifecycle.h"
#include "Object/ObjectTable.h"
#include "Room/RoomFlow.h"
#include "Sprite/SpriteTable.h"
#include "Variable/InstanceDirectory.h"

void PrepareGameObjects(const GamePackage& package) {
    LoadSprites(package.sprites);
    Objects().Load(package.objects);
    SetInstanceDirectory(&RunningInstanceDirectory());
}

void PrepareGameRooms(const GamePackage& package) { PrepareRooms(&package); }

void ReleaseGameWorld() {
    EndGame();
    PrepareRooms(nullptr);
    SetInstanceDirectory(nullptr);
    Objects().Clear();
    ClearSprites();
}
