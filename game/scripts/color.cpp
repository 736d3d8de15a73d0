// Colours from hue, saturation and lightness on a 0..240 scale.
#include "CodeTable.h"
#include "GameNames.h"

// make_color_hsl_240(hue, saturation, lightness): the colour through its HSV equivalent.
// Lightness 0 is black (saturation has no meaning there).
RValue* psl_Script_make_color_hsl_240(CInstance* self, CInstance* other, RValue* result, int argc,
                                      RValue** argv) {
    ScriptFrame frame("psl_Script_make_color_hsl_240", result);
    const double hue = Real(Argument(argc, argv, 0)) / 240;
    double saturation = Real(Argument(argc, argv, 1)) / 240;
    const double lightness = 2 * Real(Argument(argc, argv, 2)) / 240;
    saturation *= lightness <= 1 ? lightness : 2 - lightness;
    const double value = (lightness + saturation) / 2;
    const double hsv_saturation =
        lightness + saturation == 0 ? 0 : 2 * saturation / (lightness + saturation);
    Assign(*result,
           Call(self, other, FN_make_color_hsv, Value(RoundHalfEven(hue * 255)),
                Value(RoundHalfEven(hsv_saturation * 255)), Value(RoundHalfEven(value * 255))));
    return result;
}
