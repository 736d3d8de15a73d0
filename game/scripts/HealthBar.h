// The health bar of a fight, along the bottom of the screen: Mireth's hearts above, the foe's pips
// below.
#pragma once

#include "CodeTable.h"
#include "GameNames.h"

namespace health_bar {

constexpr double kHeight = 20, kLabelWidth = 40, kIconStep = 9, kLineHeight = 10;

inline void DrawIcons(CInstance* self, CInstance* other, int32_t sprite, double count, double x, double y) {
    for (double i = 0; i < count; ++i)
        Call(self, other, FN_draw_sprite, Value(sprite), Value(0), Value(x + kIconStep * i), Value(y));
}

inline void Draw(CInstance* self, CInstance* other) {
    const Value camera = BuiltinVar(self, VAR_view_camera, 0);
    const double left = Real(Call(self, other, FN_camera_get_view_x, camera));
    const double bottom = Real(Call(self, other, FN_camera_get_view_y, camera)) + Real(Global(SLOT_view_height));
    const double top = bottom - kHeight;
    Call(self, other, FN_draw_set_font, Global(SLOT_neco_font));
    const Value black(0);
    Call(self, other, FN_draw_rectangle_color, Value(left), Value(top), Value(left + Real(Global(SLOT_view_width))),
         Value(bottom), black, black, black, black, Value(0));
    Call(self, other, FN_draw_set_colour, Value(0xFFFFFF));
    Call(self, other, FN_draw_text, Value(left + 1), Value(top), Value("MIRETH"));
    Call(self, other, FN_draw_text, Value(left + 1), Value(top + kLineHeight), Value("NEMESIS"));
    double hearts = 0;
    With(self, other, oChar, [&](CInstance* player, CInstance*) { hearts = Real(Var(player, SLOT_hp)); });
    DrawIcons(self, other, sHeart, hearts, left + kLabelWidth, top + 1);
    DrawIcons(self, other, sPip, Real(Var(self, SLOT_hp)), left + kLabelWidth, top + kLineHeight + 1);
}

} // namespace health_bar
