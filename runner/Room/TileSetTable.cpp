// The tile set table: one entry per slot of the package's background list.
#include "Room/TileSetTable.h"

#include <optional>
#include <vector>

namespace {

std::vector<std::optional<TileSet>> g_tile_sets;

} // namespace

void LoadTileSets(const GamePackage& package) {
    ClearTileSets();
    g_tile_sets.reserve(package.backgrounds.size());
    for (const std::optional<PackageBackground>& background : package.backgrounds) {
        if (!background) {
            g_tile_sets.emplace_back();
            continue;
        }
        TileSet tile_set{&*background, 0, 0};
        if (size_t(background->texture_page) < package.texture_page_entries.size()) {
            const package::TexturePageEntry& page =
                package.texture_page_entries[size_t(background->texture_page)];
            tile_set.width = page.frame_width;
            tile_set.height = page.frame_height;
        }
        g_tile_sets.emplace_back(tile_set);
    }
}

void ClearTileSets() {
    g_tile_sets.clear();
    g_tile_sets.shrink_to_fit();
}

const TileSet* GetTileSet(int32_t index) {
    if (index < 0 || size_t(index) >= g_tile_sets.size() || !g_tile_sets[size_t(index)])
        return nullptr;
    return &*g_tile_sets[size_t(index)];
}
