// The text and font built-ins, registered in the "Graphic.." group:
//   state       draw_set_font, draw_set_halign, draw_set_valign (fa_left, fa_center,
//               fa_right, fa_top, fa_middle, fa_bottom)
//   drawing     draw_text, draw_text_ext, draw_text_transformed, draw_text_ext_transformed,
//               draw_text_colour (and draw_text_color)
//   measuring   string_width, string_height, string_width_ext, string_height_ext
//   fonts       font_add_sprite, font_exists
// Drawing does nothing without an active GraphicsContext; measuring needs none.
#pragma once

void RegisterFontFunctions();
