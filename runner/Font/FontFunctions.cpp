// Text drawing, measuring and fonts, as built-ins.
#include "Font/FontFunctions.h"

#include <cstdio>

#include "Code/BuiltinArgs.h"
#include "Code/ValueText.h"
#include "Font/SpriteFont.h"
#include "Font/TextDrawing.h"
#include "Graphics/GraphicsFunctions.h"
#include "Sprite/CSprite.h"
#include "Sprite/SpriteTable.h"

namespace {

int32_t Alignment(const RValue* args) {
    const int32_t value = ArgInt32(args, 0);
    return value >= 0 && value <= 2 ? value : 0;
}

void draw_set_font(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    if (!HasArgumentCount(argc, 1)) return;
    const int32_t id = ArgInt32(args, 0);
    TextState().font = GetFont(id) ? id : -1;
}

void draw_set_halign(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    if (HasArgumentCount(argc, 1)) TextState().halign = Alignment(args);
}

void draw_set_valign(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    if (HasArgumentCount(argc, 1)) TextState().valign = Alignment(args);
}

// A placement in the draw colour and alpha.
TextPlacement InDrawColour(const GraphicsContext& graphics) {
    TextPlacement placement;
    placement.colours.fill(VertexColour(graphics.Colour(), graphics.Alpha()));
    return placement;
}

// Draws args[2] at (args[0], args[1]) in the current font and alignment.
void DrawWith(GraphicsContext& graphics, RValue* args, TextPlacement placement) {
    placement.x = ArgReal(args, 0);
    placement.y = ArgReal(args, 1);
    DrawText(graphics, CurrentFont(), TextState(), ValueText(args[2]), placement);
}

void draw_text(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    if (GraphicsContext* graphics = GraphicsForCall(argc, 3))
        DrawWith(*graphics, args, InDrawColour(*graphics));
}

void draw_text_ext(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    GraphicsContext* graphics = GraphicsForCall(argc, 5);
    if (!graphics) return;
    TextPlacement placement = InDrawColour(*graphics);
    placement.separation = ArgInt32(args, 3);
    placement.wrap = ArgInt32(args, 4);
    DrawWith(*graphics, args, placement);
}

void SetTransform(TextPlacement& placement, const RValue* args, int first) {
    placement.xscale = ArgFloat(args, first);
    placement.yscale = ArgFloat(args, first + 1);
    placement.angle = ArgFloat(args, first + 2);
}

void draw_text_transformed(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    GraphicsContext* graphics = GraphicsForCall(argc, 6);
    if (!graphics) return;
    TextPlacement placement = InDrawColour(*graphics);
    SetTransform(placement, args, 3);
    DrawWith(*graphics, args, placement);
}

void draw_text_ext_transformed(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    GraphicsContext* graphics = GraphicsForCall(argc, 8);
    if (!graphics) return;
    TextPlacement placement = InDrawColour(*graphics);
    placement.separation = ArgInt32(args, 3);
    placement.wrap = ArgInt32(args, 4);
    SetTransform(placement, args, 5);
    DrawWith(*graphics, args, placement);
}

// Corner colours left to right along each line, top to bottom across it, with one alpha.
void draw_text_colour(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    GraphicsContext* graphics = GraphicsForCall(argc, 8);
    if (!graphics) return;
    const double alpha = ArgReal(args, 7);
    TextPlacement placement;
    for (int i = 0; i < 4; ++i)
        placement.colours[size_t(i)] = VertexColour(ArgUInt32(args, 3 + i), alpha);
    DrawWith(*graphics, args, placement);
}

TextExtent Measure(const RValue* args, int32_t separation, int32_t wrap) {
    return MeasureText(CurrentFont(), ValueText(args[0]), separation, wrap);
}

void string_width(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    SetReal(result, HasArgumentCount(argc, 1) ? Measure(args, -1, kNoWrap).width : 0);
}

void string_height(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    SetReal(result, HasArgumentCount(argc, 1) ? Measure(args, -1, kNoWrap).height : 0);
}

void string_width_ext(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    if (!HasArgumentCount(argc, 3)) return SetReal(result, 0);
    SetReal(result, Measure(args, ArgInt32(args, 1), ArgInt32(args, 2)).width);
}

void string_height_ext(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    if (!HasArgumentCount(argc, 3)) return SetReal(result, 0);
    SetReal(result, Measure(args, ArgInt32(args, 1), ArgInt32(args, 2)).height);
}

// A frame's visible span from its texture page entry, when the drawing layer has one.
std::optional<FrameSpan> EntrySpan(const CSprite& sprite, int32_t frame) {
    GraphicsContext* graphics = ActiveGraphics();
    if (!graphics) return std::nullopt;
    const FrameImage* image = graphics->Pages().Entry(sprite.Frames()[size_t(frame)]);
    if (!image) return std::nullopt;
    return FrameSpan{image->target_x, image->target_x + image->target_width};
}

void font_add_sprite(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    SetReal(result, -1);
    if (!HasArgumentCount(argc, 4)) return;
    const int32_t index = ArgInt32(args, 0);
    const CSprite* sprite = GetSprite(index);
    if (!sprite) {
        ShowError("Trying to create font from non-existing sprite.", false);
        return;
    }
    char name[32];
    std::snprintf(name, sizeof name, "__newfont%d", FontCount());
    auto font =
        MakeSpriteFont(name, index, *sprite, ArgInt32(args, 1), ArgBool(args, 2), ArgInt32(args, 3),
                       [sprite](int32_t frame) { return EntrySpan(*sprite, frame); });
    SetReal(result, AddFont(std::move(font)));
}

void font_exists(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    SetReal(result, HasArgumentCount(argc, 1) && GetFont(ArgInt32(args, 0)) ? 1 : 0);
}

} // namespace

void RegisterFontFunctions() {
    RegisterBuiltin("draw_set_font", draw_set_font, 1);
    RegisterBuiltin("draw_set_halign", draw_set_halign, 1);
    RegisterBuiltin("draw_set_valign", draw_set_valign, 1);
    RegisterBuiltin("draw_text", draw_text, 3);
    RegisterBuiltin("draw_text_ext", draw_text_ext, 5);
    RegisterBuiltin("draw_text_transformed", draw_text_transformed, 6);
    RegisterBuiltin("draw_text_ext_transformed", draw_text_ext_transformed, 8);
    RegisterBuiltin("draw_text_colour", draw_text_colour, 8);
    RegisterBuiltin("draw_text_color", draw_text_colour, 8);
    RegisterBuiltin("string_width", string_width, 1);
    RegisterBuiltin("string_height", string_height, 1);
    RegisterBuiltin("string_width_ext", string_width_ext, 3);
    RegisterBuiltin("string_height_ext", string_height_ext, 3);
    RegisterBuiltin("font_add_sprite", font_add_sprite, 4);
    RegisterBuiltin("font_exists", font_exists, 1);
}
