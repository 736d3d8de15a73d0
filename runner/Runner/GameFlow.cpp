#include "Runner/GameFlow.h"

#include <string>

#include "Code/RuntimeError.h"
#include "Runner/RunnerState.h"

namespace {

bool RoomExists(int32_t index) { return index >= 0 && index < Runner().room_count; }

} // namespace

void StartGame() {
    RunnerState& runner = Runner();
    runner.frame_counter = 0;
    runner.frames_drawn = 0;
    runner.current_room = -1;
    runner.pending_room = PENDING_NONE;
    if (!runner.room_order.empty()) GotoRoom(runner.room_order.front());
}

void EndGame() {
    Runner().current_room = -1;
}

void GotoRoom(int32_t index) {
    RunnerState& runner = Runner();
    runner.pending_room = PENDING_NONE;
    if (!RoomExists(index)) {
        ShowError(("Unexisting room number: " + std::to_string(index)).c_str(), true);
        runner.pending_room = PENDING_ABORT_GAME;
        return;
    }
    runner.current_room = index;
}
