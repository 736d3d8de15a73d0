// The window's scale: whole multiples of the view that fit the display.
#include "CodeTable.h"
#include "GameNames.h"

namespace {

bool ScaleFits(CInstance* self, CInstance* other, double scale) {
    return Real(Global(SLOT_view_width)) * scale <= Real(Call(self, other, FN_display_get_width)) &&
           Real(Global(SLOT_view_height)) * scale <= Real(Call(self, other, FN_display_get_height));
}

} // namespace

// compute_max_scale(): the largest whole scale up to 16 that fits the display, stored in
// max_scale. When even 1 does not fit, 1 all the same: the window must show something.
RValue* psl_Script_compute_max_scale(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_compute_max_scale", result);
    double scale = 16;
    while (scale > 1 && !ScaleFits(self, other, scale)) --scale;
    Assign(Global(SLOT_max_scale), Value(scale));
    Assign(*result, Value(scale));
    return result;
}

// window_set_scale(scale): resizes the window when that scale fits; otherwise nothing changes.
RValue* psl_Script_window_set_scale(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_window_set_scale", result);
    const Value scale = Argument(argc, argv, 0);
    if (!ScaleFits(self, other, Real(scale))) return result;
    Assign(Global(SLOT_scale), scale);
    Call(self, other, FN_window_set_size, Global(SLOT_view_width) * scale, Global(SLOT_view_height) * scale);
    return result;
}

// window_max_scale(): the largest scale that fits.
RValue* psl_Script_window_max_scale(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_window_max_scale", result);
    CallScript(psl_Script_window_set_scale, self, other, CallScript(psl_Script_compute_max_scale, self, other));
    return result;
}
