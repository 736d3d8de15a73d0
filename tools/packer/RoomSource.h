// A room as its asset file writes it:
//
//     screens 6 2                      (or "size 640 360" in pixels)
//     colour #1a1c2c                   (the background colour; left out: none is drawn)
//     persistent
//     creation [NAME]                  (creation code: psl_Room_<room>_Create, or psl_Room_<NAME>_Create
//                                       shared by the rooms that name it)
//     legend
//       X oSnowBlock stretch           (a run of X becomes one stretched instance)
//       ^ oSpike stretch
//     map                              (one character a 16-pixel cell; '.' is empty)
//       ....................
//       XXXXXXXX..^^XXXXXXXX
//     instances                        (object, x, y, then name = value creation code)
//       oChar 32 48
//       oNPC 100 48 script = "hello" hamp = 32
//     exits                            (see RoomExits.h)
//       right edge of screen 5,1 -> rmPink 0,1
#pragma once

#include <string>
#include <vector>

#include "AssetDocument.h"

inline constexpr int kCellSize = 16;

// name = value, where value is a number or quoted text.
struct InstanceAssignment {
    std::string name;
    std::string value;
    bool text = false;
};

struct InstanceSource {
    std::string object;
    int x = 0, y = 0;
    int scale_x = 1, scale_y = 1;
    std::vector<InstanceAssignment> assignments;
    SourceSpot spot;
};

struct ExitSource {
    enum class Edge { Left, Right, Top, Bottom } edge;
    int screen_column = 0, screen_row = 0;
    std::string target_room;
    int target_column = 0, target_row = 0;
    SourceSpot spot;
};

struct RoomSource {
    std::string name;
    int width = 0, height = 0; // pixels
    bool has_colour = false;
    uint32_t colour = 0; // red lowest
    bool persistent = false;
    // The game's creation code for the room, psl_Room_<creation>_Create; empty for none.
    std::string creation;
    // The map's cells first, as stretched runs where the legend allows, then the listed ones.
    std::vector<InstanceSource> instances;
    std::vector<ExitSource> exits;
};

// `screen_width` and `screen_height` are the game's window size: the size of one screen.
RoomSource ReadRoom(const AssetDocument& document, const std::string& name, int screen_width,
                    int screen_height);
