// An object as the game runs it: its defaults for new instances, its place in the parent
// tree, its own and inherited event handlers, and the lists of its live instances.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "Object/EventMap.h"

class CInstance;

constexpr uint32_t OBJECT_FLAG_SOLID = 0x1;
constexpr uint32_t OBJECT_FLAG_VISIBLE = 0x2;
constexpr uint32_t OBJECT_FLAG_PERSISTENT = 0x4;
constexpr uint32_t OBJECT_FLAG_COLLIDES = 0x8; // takes part in collision events
constexpr uint32_t OBJECT_FLAG_COLLISIONS_INHERITED = 0x40;

class CObject {
public:
    bool Has(uint32_t flag) const { return (flags & flag) != 0; }

    int32_t index = -1;
    std::string_view name;
    int32_t sprite_index = -1;
    int32_t mask_index = -1; // -1: the sprite's
    int32_t depth = 0;
    int32_t parent_index = -1;
    CObject* parent = nullptr;
    uint32_t flags = 0;
    EventMap events;
    std::vector<CObject*> children;
    // Live instances of exactly this object, in creation order.
    std::vector<CInstance*> instances;
    // Live instances of this object and of every descendant.
    std::vector<CInstance*> recursive_instances;
};
