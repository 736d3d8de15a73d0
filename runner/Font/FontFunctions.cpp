// Text drawing, measuring and fonts, as built-ins.
#include "Font/FontFunctions.h"

#include <cstdio>

#include "Code/ValueText.h"
#include "Font/SpriteFont.h"
#include "Font/TextDrawing.h"
#include "Graphics/GraphicsFunctions.h"
#include "Sprite/CSprite.h"
#include "Sprite/SpriteTable.h"
#include "Variable/BuiltinArgs.h"

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

// draw_text and its _ext and _transformed variants: the separation and wrap width follow the
// text when `kExt`, then the scales and the angle when `kTransformed`.
template <bool kExt, bool kTransformed>
void DrawTextVariant(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    constexpr int kTransformAt = kExt ? 5 : 3;
    GraphicsContext* graphics = GraphicsForCall(argc, kTransformAt + (kTransformed ? 3 : 0));
    if (!graphics) return;
    TextPlacement placement = InDrawColour(*graphics);
    if constexpr (kExt) {
        placement.separation = ArgInt32(args, 3);
        placement.wrap = ArgInt32(args, 4);
    }
    if constexpr (kTransformed) {
        placement.xscale = ArgFloat(args, kTransformAt);
        placement.yscale = ArgFloat(args, kTransformAt + 1);
        placement.angle = ArgFloat(args, kTransformAt + 2);
    }
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
    RegisterBuiltin("draw_text", DrawTextVariant<false, false>, 3);
    RegisterBuiltin("draw_text_ext", DrawTextVariant<true, false>, 5);
    RegisterBuiltin("draw_text_transformed", DrawTextVariant<false, true>, 6);
    RegisterBuiltin("draw_text_ext_transformed", DrawTextVariant<true, true>, 8);
    RegisterBuiltin("draw_text_colour", draw_text_colour, 8);
    RegisterBuiltin("draw_text_color", draw_text_colour, 8);
    RegisterBuiltin("string_width", string_width, 1);
    RegisterBuiltin("string_height", string_height, 1);
    RegisterBuiltin("string_width_ext", string_width_ext, 3);
    RegisterBuiltin("string_height_ext", string_height_ext, 3);
    RegisterBuiltin("font_add_sprite", font_add_sprite, 4);
    RegisterBuiltin("font_exists", font_exists, 1);
}
