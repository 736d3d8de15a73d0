// Background elements to sprite quads.
#include "Run/BackgroundDrawing.h"

#include <cmath>

#include "Graphics/SpriteDrawing.h"
#include "Room/CLayer.h"
#include "Room/CRoom.h"
#include "Sprite/CSprite.h"
#include "Sprite/SpriteTable.h"

namespace {

// The first copy's position along one axis: the offset itself, or, when repeating, the last
// copy that starts at or before the view's near edge.
float FirstCopy(float offset, float step, bool repeat, float view_start) {
    if (!repeat || step <= 0) return offset;
    return offset + std::floor((view_start - offset) / step) * step;
}

} // namespace

void DrawBackground(GraphicsContext& graphics, const CRoom& room, const CLayer& layer,
                    const BackgroundElement& background) {
    const CSprite* sprite = background.visible ? GetSprite(background.sprite) : nullptr;
    if (!sprite || sprite->Width() <= 0 || sprite->Height() <= 0) return;
    const float xscale = background.stretch ? float(room.width) / float(sprite->Width()) : 1;
    const float yscale = background.stretch ? float(room.height) / float(sprite->Height()) : 1;
    const float width = float(sprite->Width()) * xscale, height = float(sprite->Height()) * yscale;
    const CullRect view = graphics.Cull();
    const float first_x = FirstCopy(layer.x_offset, width, background.tile_x, view.left);
    const float first_y = FirstCopy(layer.y_offset, height, background.tile_y, view.top);
    const double reach = ScaledReach(*sprite, xscale, yscale);
    for (float y = first_y;; y += height) {
        for (float x = first_x;; x += width) {
            // The sprite's origin sits inside the copy, which starts at (x, y).
            const Placement placement{x + float(sprite->OriginX()) * xscale,
                                      y + float(sprite->OriginY()) * yscale, xscale, yscale, 0};
            DrawSpriteFrame(graphics, *sprite, background.frame, placement, background.blend,
                            background.alpha, reach);
            if (!background.tile_x || x + width >= view.right) break;
        }
        if (!background.tile_y || y + height >= view.bottom) break;
    }
}
