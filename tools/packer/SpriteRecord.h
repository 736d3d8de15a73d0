// A sprite source as the package holds it: its frames queued on the texture pages, its
// bounding box and, for precise sprites, one collision mask per frame.
#pragma once

#include <string_view>

#include "SpriteSource.h"
#include "TexturePageBuilder.h"

// `name` must outlive the record (packages keep views of their texts).
PackageSprite MakeSpriteRecord(const SpriteSource& source, std::string_view name,
                               TexturePageBuilder& pages);
