// The font table and the text draw state.
#include "Font/FontTable.h"

#include <vector>

#include "Font/CFontKT.h"
#include "Font/DefaultFont.h"

namespace {

std::vector<std::unique_ptr<CFontKT>> g_fonts;
TextDrawState g_state;

} // namespace

void LoadFonts(const ResourceList<PackageFont>& fonts) {
    ClearFonts();
    g_fonts.reserve(fonts.size());
    for (const std::optional<PackageFont>& font : fonts)
        g_fonts.push_back(font ? std::make_unique<CFontKT>(*font) : nullptr);
}

void ClearFonts() {
    g_fonts.clear();
    g_fonts.shrink_to_fit();
    g_state = {};
}

const CFontKT* GetFont(int32_t id) {
    if (id < 0 || id >= FontCount()) return nullptr;
    return g_fonts[size_t(id)].get();
}

int32_t AddFont(std::unique_ptr<CFontKT> font) {
    g_fonts.push_back(std::move(font));
    return FontCount() - 1;
}

int32_t FontCount() {
    return int32_t(g_fonts.size());
}

TextDrawState& TextState() {
    return g_state;
}

const CFontKT& CurrentFont() {
    const CFontKT* font = GetFont(g_state.font);
    return font ? *font : DefaultFont();
}
