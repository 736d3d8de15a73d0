// Sprites, shapes and the draw state, as built-ins.
#include <algorithm>
#include <cmath>

#include "Graphics/GraphicsFunctions.h"
#include "Graphics/SpriteDrawing.h"
#include "Sprite/CSprite.h"
#include "Sprite/SpriteTable.h"
#include "Variable/BuiltinArgs.h"
#include "Variable/CInstance.h"

namespace {

const CSprite* SpriteToDraw(int32_t index) {
    const CSprite* sprite = GetSprite(index);
    if (!sprite) ShowError("Trying to draw non-existing sprite.", false);
    return sprite;
}

// The frame argument truncated toward zero; a negative one stands for the caller's image_index.
double FrameArgument(const RValue* args, int index, const CInstance* self) {
    const int32_t frame = ArgInt32(args, index);
    if (frame >= 0) return frame;
    return self ? self->image_index : 0.0;
}

void draw_self(RValue&, CInstance* self, CInstance*, int argc, RValue*) {
    GraphicsContext* graphics = GraphicsForCall(argc, 0);
    if (!graphics || !self) return;
    const CSprite* sprite = SpriteToDraw(self->sprite_index);
    if (!sprite) return;
    const Placement placement{self->x, self->y, self->image_xscale, self->image_yscale,
                              self->image_angle};
    DrawSpriteFrame(*graphics, *sprite, self->image_index, placement, self->image_blend,
                    self->image_alpha,
                    ScaledReach(*sprite, self->image_xscale, self->image_yscale));
}

void draw_sprite(RValue&, CInstance* self, CInstance*, int argc, RValue* args) {
    GraphicsContext* graphics = GraphicsForCall(argc, 4);
    if (!graphics) return;
    const CSprite* sprite = SpriteToDraw(ArgInt32(args, 0));
    if (!sprite) return;
    const Placement placement{ArgFloat(args, 2), ArgFloat(args, 3)};
    DrawSpriteFrame(*graphics, *sprite, FrameArgument(args, 1, self), placement, kWhiteColour,
                    graphics->Alpha(), sprite->Reach());
}

void draw_sprite_ext(RValue&, CInstance* self, CInstance*, int argc, RValue* args) {
    GraphicsContext* graphics = GraphicsForCall(argc, 9);
    if (!graphics) return;
    const CSprite* sprite = SpriteToDraw(ArgInt32(args, 0));
    if (!sprite) return;
    const Placement placement{ArgFloat(args, 2), ArgFloat(args, 3), ArgFloat(args, 4),
                              ArgFloat(args, 5), ArgFloat(args, 6)};
    DrawSpriteFrame(*graphics, *sprite, FrameArgument(args, 1, self), placement, ArgUInt32(args, 7),
                    ArgReal(args, 8), ScaledReach(*sprite, placement.xscale, placement.yscale));
}

void draw_set_alpha(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    if (GraphicsContext* graphics = GraphicsForCall(argc, 1)) graphics->SetAlpha(ArgReal(args, 0));
}

void draw_clear_alpha(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    if (GraphicsContext* graphics = GraphicsForCall(argc, 2))
        graphics->Clear(ArgUInt32(args, 0), ArgReal(args, 1));
}

void draw_set_colour(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    if (GraphicsContext* graphics = GraphicsForCall(argc, 1))
        graphics->SetColour(ArgUInt32(args, 0));
}

void draw_get_colour(RValue& result, CInstance*, CInstance*, int argc, RValue*) {
    GraphicsContext* graphics = GraphicsForCall(argc, 0);
    SetReal(result, graphics ? graphics->Colour() : 0);
}

Point PointArgument(const RValue* args, int index) {
    return {ArgFloat(args, index), ArgFloat(args, index + 1)};
}

void draw_rectangle_color(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    GraphicsContext* graphics = GraphicsForCall(argc, 9);
    if (!graphics) return;
    const double alpha = graphics->Alpha();
    const uint32_t colours[4] = {
        VertexColour(ArgUInt32(args, 4), alpha), VertexColour(ArgUInt32(args, 5), alpha),
        VertexColour(ArgUInt32(args, 6), alpha), VertexColour(ArgUInt32(args, 7), alpha)};
    graphics->Shapes().Rectangle(PointArgument(args, 0), PointArgument(args, 2), colours,
                                 ArgBool(args, 8));
}

void draw_roundrect(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    GraphicsContext* graphics = GraphicsForCall(argc, 5);
    if (!graphics) return;
    graphics->Shapes().RoundRect(PointArgument(args, 0), PointArgument(args, 2),
                                 VertexColour(graphics->Colour(), graphics->Alpha()),
                                 ArgBool(args, 4));
}

void draw_triangle(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    GraphicsContext* graphics = GraphicsForCall(argc, 7);
    if (!graphics) return;
    graphics->Shapes().Triangle(
        PointArgument(args, 0), PointArgument(args, 2), PointArgument(args, 4),
        VertexColour(graphics->Colour(), graphics->Alpha()), ArgBool(args, 6));
}

} // namespace

void RegisterDrawFunctions() {
    RegisterBuiltin("draw_self", draw_self, 0);
    RegisterBuiltin("draw_sprite", draw_sprite, 4);
    RegisterBuiltin("draw_sprite_ext", draw_sprite_ext, 9);
    RegisterBuiltin("draw_set_alpha", draw_set_alpha, 1);
    RegisterBuiltin("draw_clear_alpha", draw_clear_alpha, 2);
    RegisterBuiltin("draw_set_colour", draw_set_colour, 1);
    RegisterBuiltin("draw_set_color", draw_set_colour, 1);
    RegisterBuiltin("draw_get_colour", draw_get_colour, 0);
    RegisterBuiltin("draw_get_color", draw_get_colour, 0);
    RegisterBuiltin("draw_rectangle_color", draw_rectangle_color, 9);
    RegisterBuiltin("draw_roundrect", draw_roundrect, 5);
    RegisterBuiltin("draw_triangle", draw_triangle, 7);
}
