// The sprite table: one owned record per slot of the package's sprite list.
#include "Sprite/SpriteTable.h"

#include <memory>
#include <vector>

#include "Sprite/CSprite.h"

namespace {

std::vector<std::unique_ptr<CSprite>> g_sprites;

} // namespace

void LoadSprites(const ResourceList<PackageSprite>& sprites) {
    ClearSprites();
    g_sprites.reserve(sprites.size());
    for (const std::optional<PackageSprite>& sprite : sprites)
        g_sprites.push_back(sprite ? std::make_unique<CSprite>(*sprite) : nullptr);
}

void ClearSprites() {
    g_sprites.clear();
    g_sprites.shrink_to_fit();
}

CSprite* GetSprite(int32_t index) {
    if (index < 0 || index >= SpriteCount()) return nullptr;
    return g_sprites[static_cast<size_t>(index)].get();
}

int32_t SpriteCount() {
    return static_cast<int32_t>(g_sprites.size());
}
