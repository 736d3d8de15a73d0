// oWarning: a room check for level makers. Every block off the 16-pixel grid, or stretched by a
// fraction, is named in a message; the game still registers it, on the cells it starts in.
#include <cmath>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/LevelCells.h"

namespace {

bool Whole(const Value& v) {
    return Real(v) == std::round(Real(v));
}

} // namespace

void psl_Object_oWarning_Other_4(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oWarning_Other_4");
    With(self, other, oBlock, [&](CInstance* block, CInstance*) {
        const Value values[] = {BuiltinVar(block, VAR_x), BuiltinVar(block, VAR_y),
                                BuiltinVar(block, VAR_image_xscale),
                                BuiltinVar(block, VAR_image_yscale)};
        if (Whole(values[0] / kCellSize) && Whole(values[1] / kCellSize) && Whole(values[2]) &&
            Whole(values[3]))
            return;
        Value message("Warning: bad block at");
        for (const Value& v : values)
            message = message + Value(" ") + Call(self, other, FN_string, v);
        Call(self, other, FN_show_message, message);
    });
}
