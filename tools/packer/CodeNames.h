// The names of the game's compiled functions as the package's code entries carry them, and the
// C++ source of the code table that binds each entry to its function.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "AssetFolder.h"

// psl_Object_<object>_<Event>_<subtype>; a collision names the other object by CollisionId.
std::string ObjectEventFunctionName(std::string_view object, int32_t type, int32_t subtype,
                                    std::string_view other_object);
// A GUID-like identifier made from the object's name, the same on every build:
// "95f88789_8607_4ac7_8210_79b272257887".
std::string CollisionId(std::string_view object);

// "CodeTable.h": a declaration of every function the package's code entries name, which the
// game's sources include so that each definition matches its entry, and every sprite, tile set,
// sound, object and room index under the asset's name. Handlers (psl_Object_,
// psl_Room_, psl_RoomCC_) are event functions, psl_Script_ scripts.
std::string CodeTableHeader(const GamePackage& package);
// "CodeTable.cpp": every code entry of the package, in order, with the function it runs.
std::string CodeTableSource(const GamePackage& package);
// "RoomCode.cpp": the instance creation code the packer writes (AssetFolder's CreationCodes):
// each assignment as the game's code would write it, and each exit record stored in the exit
// controller's grid with the game's grid_set script.
std::string RoomCodeSource(const std::vector<CreationCode>& codes);
