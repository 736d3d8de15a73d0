// The demo's asset indices, as its compiled code knows them: the package builder lays the
// package out in this order, so the handlers can name objects and sprites by number.
#pragma once

#include <cstdint>

namespace demo {

enum Sprite : int32_t { kSpriteFlake, kSpriteWalker, kSpriteBall, kSpriteSky, kSpriteMountains };
enum Object : int32_t { kObjectFlake, kObjectWalker, kObjectBall, kObjectGlobe, kObjectHud };

// The room and the part of it the player's view shows.
constexpr int32_t kRoomWidth = 640;
constexpr int32_t kRoomHeight = 360;
constexpr int32_t kViewWidth = 320;
constexpr int32_t kViewHeight = 180;
// The minimap shows the whole room at an eighth of its size.
constexpr int32_t kMinimapWidth = kRoomWidth / 8;
constexpr int32_t kMinimapHeight = kRoomHeight / 8;
// The top of the ground the walker walks on.
constexpr int32_t kGroundY = 304;

// Depths of the layers the flakes fall on: some behind the mountains, most in front of all.
constexpr int32_t kFarFlakeDepth = 950;
constexpr int32_t kNearFlakeDepth = -100;

} // namespace demo
