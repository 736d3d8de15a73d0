// The names of the game package's assets by kind, for the look-ups by name that scripts make
// (`asset_get_index`). The package loader fills it; a name's index is its position in its kind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// In the order a look-up by name searches them.
enum class AssetKind { Sprite, Sound, Object, Background, Path, Font, TimeLine, Script, Room, Count };

void SetAssetNames(AssetKind kind, std::vector<std::string> names);
void ClearAssetNames();
// The index within the first kind that has an asset of that name, or -1.
int32_t FindAssetIndex(std::string_view name);
