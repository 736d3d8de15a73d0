// Built-ins of rooms: requesting room changes for the end of the frame, the room order, and
// the running room's size, speed and persistence.
#include <string>

#include "Base/RunnerState.h"
#include "Code/Builtins.h"
#include "Code/RuntimeError.h"
#include "Code/ValueConvert.h"
#include "Function/BuiltinGroups.h"
#include "Room/RunningRooms.h"
#include "Variable/BuiltinArgs.h"
#include "Variable/BuiltinVariableTable.h"

namespace {

// A request for a room that does not exist ends the game at the end of the frame.
void RequestRoom(int32_t index) {
    RunnerState& runner = Runner();
    if (RoomRecord(index)) {
        runner.pending_room = index;
        return;
    }
    ShowError(("Unexisting room number: " + std::to_string(index)).c_str(), false);
    runner.pending_room = PENDING_ABORT_GAME;
}

void RequestNeighbour(int32_t neighbour, int32_t end_of_order, const char* past_the_end) {
    if (Runner().current_room == end_of_order) {
        ShowError(past_the_end, false);
        Runner().pending_room = PENDING_ABORT_GAME;
        return;
    }
    RequestRoom(neighbour);
}

void room_goto(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    RequestRoom(ArgInt32(args, 0));
    FreeValue(result);
}

void room_restart(RValue& result, CInstance*, CInstance*, int, RValue*) {
    RequestRoom(Runner().current_room);
    FreeValue(result);
}

void room_goto_next(RValue& result, CInstance*, CInstance*, int, RValue*) {
    const std::vector<int32_t>& order = Runner().room_order;
    RequestNeighbour(NextRoomInOrder(), order.empty() ? -1 : order.back(),
                     "Moving to next room after the last room.");
    FreeValue(result);
}

void room_goto_previous(RValue& result, CInstance*, CInstance*, int, RValue*) {
    const std::vector<int32_t>& order = Runner().room_order;
    RequestNeighbour(PreviousRoomInOrder(), order.empty() ? -1 : order.front(),
                     "Moving to previous room before the first room.");
    FreeValue(result);
}

void room_get_name(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    const PackageRoom* record = RoomRecord(ArgInt32(args, 0));
    MakeString(result, record ? record->name : std::string_view("<undefined>"));
}

bool GetRoom(CInstance*, int32_t, RValue* result) {
    SetReal(*result, Runner().current_room);
    return true;
}

bool SetRoom(CInstance*, int32_t, const RValue* value) {
    RequestRoom(ToInt32(*value));
    return true;
}

// A field of the running room; reads give 0 and writes do nothing while no room runs.
template <typename Field, Field CRoom::*Member>
bool GetRoomField(CInstance*, int32_t, RValue* result) {
    const CRoom* room = CurrentRoom();
    SetReal(*result, room ? double(room->*Member) : 0);
    return true;
}

template <typename Field, Field CRoom::*Member>
bool SetRoomField(CInstance*, int32_t, const RValue* value) {
    CRoom* room = CurrentRoom();
    if (!room) return false;
    if constexpr (std::is_same_v<Field, bool>) {
        room->*Member = ToBool(*value);
    } else {
        room->*Member = ToInt32(*value);
    }
    return true;
}

} // namespace

void RegisterRoomFunctions() {
    RegisterBuiltin("room_goto", room_goto, 1);
    RegisterBuiltin("room_restart", room_restart, 0);
    RegisterBuiltin("room_goto_next", room_goto_next, 0);
    RegisterBuiltin("room_goto_previous", room_goto_previous, 0);
    RegisterBuiltin("room_get_name", room_get_name, 1);
}

void RegisterRoomVariables() {
    RegisterBuiltinVariable("room", GetRoom, SetRoom);
    RegisterBuiltinVariable("room_width", GetRoomField<int32_t, &CRoom::width>, SetRoomField<int32_t, &CRoom::width>);
    RegisterBuiltinVariable("room_height", GetRoomField<int32_t, &CRoom::height>,
                            SetRoomField<int32_t, &CRoom::height>);
    RegisterBuiltinVariable("room_speed", GetRoomField<int32_t, &CRoom::speed>, SetRoomField<int32_t, &CRoom::speed>);
    RegisterBuiltinVariable("room_persistent", GetRoomField<bool, &CRoom::persistent>,
                            SetRoomField<bool, &CRoom::persistent>);
}
