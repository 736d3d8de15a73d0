// Outlines drawn through cached off-screen surfaces.
#include <cmath>
#include <utility>

#include "scripts/SpriteEffects.h"

namespace {

constexpr int32_t kScratchSizes = 12; // sides 1 to 2048
constexpr int32_t kScratchSlots = 4;

// Sets the caller's image_blend and image_alpha for the life of the scope.
class TintScope {
public:
    TintScope(CInstance* self, const RValue& blend, const RValue& alpha)
        : self_(self), blend_(BuiltinVar(self, VAR_image_blend)),
          alpha_(BuiltinVar(self, VAR_image_alpha)) {
        SetBuiltinVar(self_, VAR_image_blend, blend);
        SetBuiltinVar(self_, VAR_image_alpha, alpha);
    }
    ~TintScope() {
        SetBuiltinVar(self_, VAR_image_blend, blend_);
        SetBuiltinVar(self_, VAR_image_alpha, alpha_);
    }
    TintScope(const TintScope&) = delete;
    TintScope& operator=(const TintScope&) = delete;

private:
    CInstance* self_;
    Value blend_;
    Value alpha_;
};

} // namespace

// init_outline(): the scratch surface table, every entry -1 until first used, and the alpha of
// wrapped outlines.
RValue* psl_Script_init_outline(CInstance*, CInstance*, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_init_outline", result);
    // A new game after a wiped save: the last game's surfaces are freed.
    if (Call(nullptr, nullptr, FN_variable_global_exists, Value("scratch_surface")))
        for (int32_t size = 0; size < kScratchSizes; ++size)
            for (int32_t slot = 0; slot < kScratchSlots; ++slot) {
                const Value surface = Element(Global(SLOT_scratch_surface), ArrayIndex(size, slot));
                if (Call(nullptr, nullptr, FN_surface_exists, surface)) Call(nullptr, nullptr, FN_surface_free, surface);
            }
    Value table;
    for (int32_t size = kScratchSizes - 1; size >= 0; --size)
        for (int32_t slot = kScratchSlots - 1; slot >= 0; --slot)
            AssignElement(table, ArrayIndex(size, slot), Value(-1));
    Assign(Global(SLOT_scratch_surface), table);
    Assign(Global(SLOT_outline_alpha), Value(1));
    // A new game's surfaces are not the last one's.
    ForgetOutlinedActors();
    return result;
}

// get_scratch_surface(size[, slot]): the square surface kept for that size and slot (0 when not
// given), made again when the runner has lost it. Callers pass powers of two, so each is shared.
RValue* psl_Script_get_scratch_surface(CInstance* self, CInstance* other, RValue* result, int argc,
                                       RValue** argv) {
    ScriptFrame frame("psl_Script_get_scratch_surface", result);
    const Value size = Argument(argc, argv, 0);
    const double row = std::ceil(std::log2(Real(size)));
    const double slot = Real(ArgumentOr(argc, argv, 1, Value(0)));
    if (!(row >= 0 && row < kScratchSizes && slot >= 0 && slot < kScratchSlots)) {
        RaiseRuntimeError("get_scratch_surface: no scratch surface of size %g in slot %g",
                          Real(size), slot);
        return result;
    }
    const int32_t index = ArrayIndex(int32_t(row), int32_t(slot));
    RValue& table = Global(SLOT_scratch_surface);
    if (!Call(self, other, FN_surface_exists, Element(table, index)))
        AssignElement(table, index, Call(self, other, FN_surface_create, size, size));
    Assign(*result, Element(table, index));
    return result;
}

OutlineSurface ComposeOutline(CInstance* self, CInstance* other, const RValue& colour, const RValue& alpha) {
    const SpriteBox box = CallerSpriteBox(self);
    // One source pixel, the outline's width; the surface keeps that much room around the frame.
    const double px = Abs(Real(BuiltinVar(self, VAR_image_xscale)));
    const double py = Abs(Real(BuiltinVar(self, VAR_image_yscale)));
    const Value size =
        Max(Real(CallScript(psl_Script_npow2, self, other, Value(box.width + 2 * px))),
            Real(CallScript(psl_Script_npow2, self, other, Value(box.height + 2 * py))));
    const Value silhouette = CallScript(psl_Script_get_silhouette_surface, self, other);
    const Value surface = CallScript(psl_Script_get_scratch_surface, self, other, size);
    Call(self, other, FN_surface_set_target, surface);
    Call(self, other, FN_draw_clear_alpha, Value(0), Value(0));
    {
        const TintScope tint(self, colour, alpha);
        const std::pair<double, double> directions[] = {{px, 0}, {-px, 0}, {0, py}, {0, -py}};
        for (const auto& [ox, oy] : directions)
            DrawSilhouetteAt(self, other, silhouette, px + ox, py + oy);
    }
    Call(self, other, FN_draw_sprite_ext, BuiltinVar(self, VAR_sprite_index),
         BuiltinVar(self, VAR_image_index), Value(px - box.left), Value(py - box.top),
         BuiltinVar(self, VAR_image_xscale), BuiltinVar(self, VAR_image_yscale),
         BuiltinVar(self, VAR_image_angle), Value(kWhite), Value(1));
    Call(self, other, FN_surface_reset_target);
    // Whole pixels, so that outlines stay on the pixel grid.
    return {surface, Real(size), RoundHalfEven(box.left) - px, RoundHalfEven(box.top) - py, px - box.left, py - box.top};
}

void DrawOutlineAt(CInstance* self, CInstance* other, const RValue& colour, const RValue& alpha,
                   double dx, double dy) {
    const OutlineSurface outline = ComposeOutline(self, other, colour, alpha);
    Call(self, other, FN_draw_surface_ext, outline.surface,
         Value(RoundHalfEven(Real(BuiltinVar(self, VAR_x)) + dx) + outline.left),
         Value(RoundHalfEven(Real(BuiltinVar(self, VAR_y)) + dy) + outline.top), Value(1), Value(1), Value(0),
         BuiltinVar(self, VAR_image_blend), BuiltinVar(self, VAR_image_alpha));
}

// draw_outline([colour, alpha]): the caller's sprite with a one-pixel outline, black and opaque
// unless given.
RValue* psl_Script_draw_outline(CInstance* self, CInstance* other, RValue* result, int argc,
                                RValue** argv) {
    ScriptFrame frame("psl_Script_draw_outline", result);
    DrawOutlineAt(self, other, ArgumentOr(argc, argv, 0, Value(0)),
                  ArgumentOr(argc, argv, 1, Value(1)), 0, 0);
    return result;
}

// draw_outline_ext([blend, alpha, colour, alpha]): draw_outline (with the last two arguments)
// drawn as if the caller's image_blend and image_alpha were the first two.
RValue* psl_Script_draw_outline_ext(CInstance* self, CInstance* other, RValue* result, int argc,
                                    RValue** argv) {
    ScriptFrame frame("psl_Script_draw_outline_ext", result);
    const TintScope tint(self, ArgumentOr(argc, argv, 0, BuiltinVar(self, VAR_image_blend)),
                         ArgumentOr(argc, argv, 1, BuiltinVar(self, VAR_image_alpha)));
    DrawOutlineAt(self, other, ArgumentOr(argc, argv, 2, Value(0)),
                  ArgumentOr(argc, argv, 3, Value(1)), 0, 0);
    return result;
}
