// The drawing built-ins, registered in the "Graphic.." group:
//   draw functions   draw_self, draw_sprite, draw_sprite_ext, draw_set_alpha, draw_clear_alpha,
//                    draw_set_colour, draw_get_colour (and the _color spellings),
//                    draw_rectangle_color, draw_roundrect, draw_triangle
//   surfaces         surface_create, surface_exists, surface_free, surface_set_target,
//                    surface_reset_target, draw_surface, draw_surface_ext
//   blend modes      gpu_set_blendmode, gpu_set_blendmode_ext
// They draw with the active GraphicsContext and do nothing when there is none.
#pragma once

#include "Code/ArgumentCount.h"
#include "Graphics/GraphicsContext.h"

void RegisterDrawFunctions();
void RegisterSurfaceFunctions();
void RegisterBlendFunctions();

// The context a built-in taking `count` arguments draws with: null when the call has another
// count (reported) or there is no context.
inline GraphicsContext* GraphicsForCall(int argc, int count) {
    return HasArgumentCount(argc, count) ? ActiveGraphics() : nullptr;
}
