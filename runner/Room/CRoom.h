// A running room: the copy of a room record that the game plays in, with its instances and
// layers, views and legacy backgrounds. Persistent rooms keep theirs between visits.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Room/CLayer.h"
#include "Room/RoomBackgrounds.h"
#include "Room/RoomInstanceList.h"
#include "Room/RoomViews.h"

// A record instance still waiting for its creation events.
struct PendingCreation {
    int32_t id;
    int32_t record_index; // its place in the room record, for its creation code
};

class CRoom {
public:
    CRoom() = default;
    CRoom(const CRoom&) = delete;
    CRoom& operator=(const CRoom&) = delete;
    // Frees every instance the room still owns, and its views' cameras.
    ~CRoom();

    // Null when the room has no layer with that id or name.
    CLayer* FindLayer(int32_t layer_id);
    CLayer* FindLayer(std::string_view layer_name);
    // The first layer at exactly that depth, or null.
    CLayer* LayerAtDepth(int32_t depth);
    // Adds a layer in depth order; a nameless one is named after its id.
    CLayer& AddLayer(int32_t layer_id, int32_t depth, std::string name);
    // The layer at that depth, made at run time when there is none.
    CLayer& LayerForDepth(int32_t depth);

    int32_t index = -1;
    std::string_view name;
    std::string_view caption;
    int32_t width = 640;
    int32_t height = 480;
    int32_t speed = 30;
    bool persistent = false;
    uint32_t colour = 0xC0C0C0;
    bool draw_colour = true;
    int32_t creation_code = -1;
    bool clear_with_window_colour = false;
    bool clear_display = true;
    bool views_enabled = false;
    std::array<RoomView, package::kRoomSlotCount> views;
    std::array<RoomBackground, package::kRoomSlotCount> backgrounds;

    RoomInstanceList active;
    std::vector<CInstance*> deactivated;
    std::vector<PendingCreation> pending_creations; // in record order
    std::vector<CLayer> layers; // by ascending depth
};
