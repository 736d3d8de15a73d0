// A sprite frame through culling to its quad.
#include "Graphics/SpriteDrawing.h"

#include <algorithm>
#include <cmath>

#include "Sprite/CSprite.h"

double ScaledReach(const CSprite& sprite, float xscale, float yscale) {
    return sprite.Reach() * double(std::max(std::fabs(xscale), std::fabs(yscale)));
}

void DrawSpriteFrame(GraphicsContext& graphics, const CSprite& sprite, double index,
                     const Placement& placement, uint32_t colour, double alpha, double reach) {
    if (sprite.FrameCount() == 0) return;
    if (!WithinReach(graphics.Cull(), placement.x, placement.y, reach)) return;
    const int32_t frame = WrapFrame(index, sprite.FrameCount());
    const FrameImage* image = graphics.Pages().Entry(sprite.Frames()[size_t(frame)]);
    if (!image) return;
    graphics.DrawImage(*image, sprite.OriginX(), sprite.OriginY(), placement,
                       VertexColour(colour, alpha));
}
