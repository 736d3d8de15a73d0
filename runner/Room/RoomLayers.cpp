// Layer elements, layer motion and background animation.
#include "Room/RoomLayers.h"

#include <cmath>

#include "Base/RunnerState.h"
#include "Room/CRoom.h"
#include "Room/RunningRooms.h"
#include "Sprite/CSprite.h"
#include "Sprite/SpriteTable.h"

namespace {

int32_t g_target_room = -1;

void AddElement(CLayer& layer, LayerAsset asset) {
    layer.elements.push_back({NextLayerElementId(), nullptr, std::move(asset)});
}

BackgroundElement MakeBackground(const package::LayerBackgroundRecord& source) {
    BackgroundElement background;
    background.sprite = source.sprite;
    background.visible = source.visible != 0;
    background.foreground = source.foreground != 0;
    background.tile_x = source.tile_horizontally != 0;
    background.tile_y = source.tile_vertically != 0;
    background.stretch = source.stretch != 0;
    background.blend = source.colour & 0xFFFFFF;
    background.alpha = float(source.colour >> 24) / 255.0f;
    background.frame = source.first_frame;
    background.animation_speed = source.animation_speed;
    background.speed_type = source.speed_type;
    return background;
}

void Animate(BackgroundElement& background) {
    const CSprite* sprite = GetSprite(background.sprite);
    if (!sprite || sprite->FrameCount() == 0 || background.animation_speed == 0) return;
    const double game_speed = Runner().game_speed;
    double step = background.animation_speed;
    if (background.speed_type == CSprite::kFramesPerSecond)
        step = game_speed > 0 ? step / game_speed : 0;
    const double frames = sprite->FrameCount();
    double frame = std::fmod(background.frame + step, frames);
    if (frame < 0) frame += frames;
    background.frame = float(frame);
}

} // namespace

void AddPackageElements(CLayer& layer, const RoomLayer& record) {
    switch (record.type) {
    case package::kLayerBackground: AddElement(layer, MakeBackground(record.background)); break;
    case package::kLayerAssets:
        for (const package::LegacyTileRecord& tile : record.asset_tiles)
            AddElement(layer, tile);
        for (const SpriteElement& sprite : record.asset_sprites)
            AddElement(layer, sprite);
        break;
    case package::kLayerTiles: AddElement(layer, TileMapElement{0, 0, record.tile_map}); break;
    default: break;
    }
}

void UpdateRoomLayers() {
    CRoom* room = CurrentRoom();
    if (!room || Runner().major_version < 2) return;
    for (CLayer& layer : room->layers) {
        layer.x_offset += layer.speed_x;
        layer.y_offset += layer.speed_y;
        for (LayerElement& element : layer.elements)
            if (auto* background = std::get_if<BackgroundElement>(&element.asset))
                Animate(*background);
    }
}

void SetLayerTargetRoom(int32_t room_index) {
    g_target_room = room_index;
}

CRoom* LayerRoom() {
    return g_target_room < 0 ? CurrentRoom() : RunningRoom(g_target_room);
}

TileMapElement* FindTileMap(CRoom& room, int32_t element_id) {
    for (CLayer& layer : room.layers)
        for (LayerElement& element : layer.elements)
            if (element.id == element_id) return std::get_if<TileMapElement>(&element.asset);
    return nullptr;
}
