// The scene's sprite as a package holds it: the shared texture page, one texture page entry and
// a one-frame sprite, for the programs that draw the scenes through the runner.
#pragma once

#include "Package/GamePackage.h"
#include "SpriteSceneHarness.h"

// Appends the page, its entry and the sprite "sMoving"; returns the sprite's index.
inline int32_t AddSceneSprite(GamePackage& package, const SpriteSceneSize& size) {
    const SpritePage page = MakeSpritePage();
    PackageTexture texture;
    texture.encoding = TextureEncoding::Raw32;
    texture.width = uint32_t(page.width);
    texture.height = uint32_t(page.height);
    texture.pixels = page.rgba;
    package.textures.emplace_back(texture);
    const SpritePageRect rect = SpritePageRectFor(size);
    const auto w = uint16_t(rect.w), h = uint16_t(rect.h);
    package.texture_page_entries.push_back({uint16_t(rect.x), uint16_t(rect.y), w, h, 0, 0, w, h,
                                            w, h, int16_t(package.textures.size() - 1)});
    PackageSprite sprite;
    sprite.name = "sMoving";
    sprite.width = w;
    sprite.height = h;
    sprite.bbox_right = w - 1;
    sprite.bbox_bottom = h - 1;
    sprite.frames = {int32_t(package.texture_page_entries.size() - 1)};
    package.sprites.emplace_back(sprite);
    return int32_t(package.sprites.size() - 1);
}
