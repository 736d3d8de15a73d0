// Actors' outlined pictures. Each frame of a sprite, as scaled, turned and tinted, is composed once
// (its black outline, then the frame over it) on a surface of its own and then drawn as one quad,
// so a screen of outlined actors costs a few draw calls instead of six an actor, and no change of
// render target once its pictures are made.
#include <cmath>
#include <map>

#include "scripts/SpriteEffects.h"

namespace {

struct PictureKey {
    double sprite, frame, xscale, yscale, angle, blend;
    auto operator<=>(const PictureKey&) const = default;
};

struct Picture {
    Value surface;
    double left, top; // the corner's place from the actor's rounded position
};

// Pictures kept at most: past it they are freed and composed again as needed (an actor whose tint
// changes every step would otherwise add one a step).
constexpr size_t kMostPictures = 256;

std::map<PictureKey, Picture> g_pictures;

PictureKey KeyOf(CInstance* self) {
    return {Real(BuiltinVar(self, VAR_sprite_index)),  std::floor(Real(BuiltinVar(self, VAR_image_index))),
            Real(BuiltinVar(self, VAR_image_xscale)),  Real(BuiltinVar(self, VAR_image_yscale)),
            Real(BuiltinVar(self, VAR_image_angle)),   Real(BuiltinVar(self, VAR_image_blend))};
}

Picture Compose(CInstance* self, CInstance* other) {
    const OutlineSurface outline = ComposeOutline(self, other, Value(0), Value(1));
    const Value picture = Call(self, other, FN_surface_create, Value(outline.size), Value(outline.size));
    Call(self, other, FN_surface_set_target, picture);
    Call(self, other, FN_draw_clear_alpha, Value(0), Value(0));
    Call(self, other, FN_draw_surface_ext, outline.surface, Value(0), Value(0), Value(1), Value(1), Value(0), Value(0),
         Value(1));
    Call(self, other, FN_draw_sprite_ext, BuiltinVar(self, VAR_sprite_index), BuiltinVar(self, VAR_image_index),
         Value(outline.origin_x), Value(outline.origin_y), BuiltinVar(self, VAR_image_xscale),
         BuiltinVar(self, VAR_image_yscale), BuiltinVar(self, VAR_image_angle), BuiltinVar(self, VAR_image_blend),
         Value(1));
    Call(self, other, FN_surface_reset_target);
    return {picture, outline.left, outline.top};
}

} // namespace

void DrawOutlinedActor(CInstance* self, CInstance* other) {
    // A see-through actor shows what lies under it through itself, not its outline: drawn as it is.
    if (BuiltinVar(self, VAR_image_alpha) != Value(1)) {
        CallScript(psl_Script_draw_outline_ext, self, other, Value(0), Value(1));
        Call(self, other, FN_draw_self);
        return;
    }
    const PictureKey key = KeyOf(self);
    auto found = g_pictures.find(key);
    if (found == g_pictures.end() || !Call(self, other, FN_surface_exists, found->second.surface)) {
        if (found == g_pictures.end() && g_pictures.size() >= kMostPictures) ForgetOutlinedActors();
        found = g_pictures.insert_or_assign(key, Compose(self, other)).first;
    }
    const Picture& picture = found->second;
    Call(self, other, FN_draw_surface_ext, picture.surface,
         Value(RoundHalfEven(Real(BuiltinVar(self, VAR_x))) + picture.left),
         Value(RoundHalfEven(Real(BuiltinVar(self, VAR_y))) + picture.top), Value(1), Value(1), Value(0), Value(kWhite),
         Value(1));
}

void ForgetOutlinedActors() {
    for (const auto& [unused, picture] : g_pictures)
        if (Call(nullptr, nullptr, FN_surface_exists, picture.surface)) Call(nullptr, nullptr, FN_surface_free, picture.surface);
    g_pictures.clear();
}
