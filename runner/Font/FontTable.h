// The running game's fonts by id: the package's fonts first (an empty slot there stays empty),
// then the fonts made at run time. Also the text draw state that the text built-ins share: the
// current font and the alignment.
#pragma once

#include <cstdint>
#include <memory>

#include "Package/GamePackage.h"

class CFontKT;

// Horizontal: 0 left, 1 centre, 2 right. Vertical: 0 top, 1 middle, 2 bottom.
struct TextDrawState {
    int32_t font = -1; // -1, or any id that names no font: the default font
    int32_t halign = 0;
    int32_t valign = 0;
};

// Replaces the table with one font per filled slot of the package's list; resets the state.
void LoadFonts(const ResourceList<PackageFont>& fonts);
// Forgets every font and resets the state.
void ClearFonts();
// The font at that id, or null when the id names none.
const CFontKT* GetFont(int32_t id);
// Appends a font made at run time; its id.
int32_t AddFont(std::unique_ptr<CFontKT> font);
int32_t FontCount();

TextDrawState& TextState();
// The font text is drawn and measured with now: the current one, else the default font.
const CFontKT& CurrentFont();
