// An object as loaded: its defaults for new instances, its parent, its physics settings and its
// event handlers keyed by (event type, subtype). The object subsystem builds its runtime objects
// and event maps from these.
#pragma once

#include "Package/PackageFormat.h"

#include <compare>
#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

struct ObjectPhysics {
    bool uses_physics = false;
    bool is_sensor = false;
    uint32_t shape = 0;
    float density = 0;
    float restitution = 0;
    uint32_t group = 0;
    float linear_damping = 0;
    float angular_damping = 0;
    // Packages older than the friction fields get these defaults.
    float friction = package::kDefaultFriction;
    bool awake = true;
    bool kinematic = false;
    std::vector<package::PhysicsVertexRecord> vertices;
    bool operator==(const ObjectPhysics&) const = default;
};

struct EventKey {
    int32_t type;
    int32_t subtype; // for collision events the other object's index
    auto operator<=>(const EventKey&) const = default;
};

struct PackageObject {
    std::string_view name;
    int32_t sprite_index = -1;
    bool visible = true;
    bool solid = false;
    int32_t depth = 0;
    bool persistent = false;
    int32_t parent_index = -1;
    int32_t mask_index = -1; // -1: the sprite's
    ObjectPhysics physics;
    // Code entry index of each handler; -1 for an event without actions.
    std::map<EventKey, int32_t> events;
    bool operator==(const PackageObject&) const = default;
};
