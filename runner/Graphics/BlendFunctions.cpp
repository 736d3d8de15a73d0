// Blend modes as built-ins: the four named modes and any pair of factors, the same factors
// for colour and alpha.
#include "Code/GameConstants.h"
#include "Code/ValueArray.h"
#include "Graphics/GraphicsFunctions.h"
#include "Variable/BuiltinArgs.h"

namespace {

constexpr BlendFactor Factor(int32_t constant) {
    return static_cast<BlendFactor>(constant);
}

// By mode number: normal, add, max, subtract.
constexpr BlendState kNamedModes[] = {
    {Factor(bm_src_alpha), Factor(bm_inv_src_alpha)},
    {Factor(bm_src_alpha), Factor(bm_one)},
    {Factor(bm_src_alpha), Factor(bm_inv_src_colour)},
    {Factor(bm_zero), Factor(bm_inv_src_colour)},
};

bool IsFactor(int32_t value) {
    return value >= bm_zero && value <= bm_src_alpha_sat;
}

void gpu_set_blendmode(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    if (argc != 1) {
        ShowError("gpu_set_blendmode() - should be passed a single parameter", false);
        return;
    }
    GraphicsContext* graphics = ActiveGraphics();
    if (!graphics) return;
    const int32_t mode = ArgInt32(args, 0);
    const bool named = mode >= bm_normal && mode <= bm_subtract;
    graphics->SetBlend(kNamedModes[named ? mode : bm_normal]);
}

void gpu_set_blendmode_ext(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    const RValue* factors = args;
    if (argc == 1 && args[0].Kind() == VALUE_ARRAY) {
        if (ArrayLength(args[0]) != 2) {
            ShowError("gpu_set_blendmode_ext() - invalid array (must be 2 values)", false);
            return;
        }
        factors = args[0].arr->rows[0].items;
    } else if (argc != 2) {
        ShowError("gpu_set_blendmode_ext() - should be passed two parameters", false);
        return;
    }
    GraphicsContext* graphics = ActiveGraphics();
    if (!graphics) return;
    const int32_t source = ArgInt32(factors, 0), destination = ArgInt32(factors, 1);
    // A number that names no factor leaves the mode as it was.
    if (IsFactor(source) && IsFactor(destination))
        graphics->SetBlend({Factor(source), Factor(destination)});
}

} // namespace

void RegisterBlendFunctions() {
    RegisterBuiltin("gpu_set_blendmode", gpu_set_blendmode, BUILTIN_VARIADIC);
    RegisterBuiltin("gpu_set_blendmode_ext", gpu_set_blendmode_ext, BUILTIN_VARIADIC);
}
