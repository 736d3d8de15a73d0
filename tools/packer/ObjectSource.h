// An object as its asset file writes it:
//
//     sprite sMirethIdle
//     mask sMirethMask
//     parent oActor
//     depth -10
//     solid
//     persistent
//     invisible
//     events
//       Create
//       Step
//       EndStep
//       Collision oBlock
//       User 0
//       Alarm 2
//
// An event line is a type's name and its number, 0 when left out ("Create", "Step 2",
// "Other 10", "Draw 64"), or one of the names of EventAliases() ("EndStep", "User 0",
// "DrawGUI"). A collision names the other object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AssetDocument.h"

struct ObjectEventSource {
    int32_t type = 0;
    int32_t subtype = 0;     // unused for collisions
    std::string other;       // the other object of a collision
    SourceSpot spot;
};

struct ObjectSource {
    std::string name;
    std::string sprite, mask, parent; // empty: none
    SourceSpot sprite_spot, mask_spot, parent_spot;
    int32_t depth = 0;
    bool solid = false, persistent = false, visible = true;
    std::vector<ObjectEventSource> events;
};

ObjectSource ReadObject(const AssetDocument& document, const std::string& name);

struct EventAlias {
    const char* name;
    int32_t type;
    int32_t subtype; // with a number after the name ("User 3"): the first subtype
    bool numbered;
};
const std::vector<EventAlias>& EventAliases();
