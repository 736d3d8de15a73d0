// Drawing events over the layers, and the layers' instances and sprite elements.
#include "Run/DrawEvents.h"

#include "Code/GameConstants.h"
#include "Graphics/SpriteDrawing.h"
#include "Object/EventDispatch.h"
#include "Object/ObjectTable.h"
#include "Room/CRoom.h"
#include "Run/BackgroundDrawing.h"
#include "Run/TileMapDrawing.h"
#include "Sprite/CSprite.h"
#include "Sprite/SpriteTable.h"

namespace {

constexpr uint32_t kDrawableMask =
    INSTANCE_FLAG_VISIBLE | INSTANCE_FLAG_MARKED | INSTANCE_FLAG_DEACTIVATED;

// Visits the visible layers deepest first, and among equal depths the one added last first.
// Handlers may add layers and elements meanwhile, so positions are re-checked at every step;
// `visit` must not touch the layer or element after running a handler.
template <typename VisitElement>
void ForEachVisibleLayer(CRoom& room, VisitElement visit) {
    for (size_t layer_at = room.layers.size(); layer_at-- > 0;) {
        if (layer_at >= room.layers.size()) continue;
        if (!room.layers[layer_at].visible) continue;
        for (size_t element_at = 0;
             layer_at < room.layers.size() && element_at < room.layers[layer_at].elements.size();
             ++element_at) {
            const LayerElement& element = room.layers[layer_at].elements[element_at];
            // Deactivated instances' elements sit at the end of the list.
            if (element.instance && element.instance->Has(INSTANCE_FLAG_DEACTIVATED)) break;
            visit(room.layers[layer_at], element);
        }
    }
}

bool HasEvent(const CInstance& instance, int32_t subtype) {
    const CObject* object = Objects().Find(instance.object_index);
    return object && object->events.Contains(ev_draw, subtype);
}

void DrawInstanceSprite(GraphicsContext& graphics, const CInstance& instance) {
    const CSprite* sprite = GetSprite(instance.sprite_index);
    if (!sprite) return;
    const Placement placement{instance.x, instance.y, instance.image_xscale, instance.image_yscale,
                              instance.image_angle};
    DrawSpriteFrame(graphics, *sprite, instance.image_index, placement, instance.image_blend,
                    instance.image_alpha,
                    ScaledReach(*sprite, instance.image_xscale, instance.image_yscale));
}

void DrawSpriteElement(GraphicsContext& graphics, const CLayer& layer,
                       const SpriteElement& element) {
    const CSprite* sprite = GetSprite(element.sprite);
    if (!sprite) return;
    const Placement placement{element.x + layer.x_offset, element.y + layer.y_offset,
                              element.scale_x, element.scale_y, element.rotation};
    DrawSpriteFrame(graphics, *sprite, element.frame, placement, element.colour & 0xFFFFFF,
                    double(element.colour >> 24) / 255.0,
                    ScaledReach(*sprite, element.scale_x, element.scale_y));
}

} // namespace

bool IsDrawable(const CInstance& instance) {
    return (instance.flags & kDrawableMask) == INSTANCE_FLAG_VISIBLE &&
           Objects().Find(instance.object_index) != nullptr;
}

void DrawEventPass(CRoom& room, int32_t subtype) {
    const auto objects = Objects().EventList(ev_draw, subtype);
    if (objects.empty()) return;
    // A lone instance needs no walk over the layers.
    const CObject* only = objects.size() == 1 ? Objects().Find(objects[0]) : nullptr;
    if (only && only->instances.size() == 1) {
        CInstance* instance = only->instances[0];
        const CLayer* layer = room.FindLayer(instance->layer);
        if (layer && layer->visible && IsDrawable(*instance))
            PerformEvent(instance, instance, ev_draw, subtype);
        return;
    }
    ForEachVisibleLayer(room, [subtype](const CLayer&, const LayerElement& element) {
        CInstance* instance = element.instance;
        if (instance && IsDrawable(*instance) && HasEvent(*instance, subtype))
            PerformEvent(instance, instance, ev_draw, subtype);
    });
}

void DrawLayers(GraphicsContext& graphics, CRoom& room) {
    ForEachVisibleLayer(room, [&graphics, &room](const CLayer& layer, const LayerElement& element) {
        if (CInstance* instance = element.instance) {
            if (!IsDrawable(*instance)) return;
            if (HasEvent(*instance, ev_draw_normal))
                PerformEvent(instance, instance, ev_draw, ev_draw_normal);
            else
                DrawInstanceSprite(graphics, *instance);
        } else if (const auto* sprite = std::get_if<SpriteElement>(&element.asset)) {
            DrawSpriteElement(graphics, layer, *sprite);
        } else if (const auto* background = std::get_if<BackgroundElement>(&element.asset)) {
            DrawBackground(graphics, room, layer, *background);
        } else if (const auto* tile_map = std::get_if<TileMapElement>(&element.asset)) {
            DrawTileMap(graphics, tile_map->map, tile_map->x + layer.x_offset,
                        tile_map->y + layer.y_offset);
        }
    });
}
