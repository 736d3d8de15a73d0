#include "IO/StateDigest.h"

#include <cinttypes>
#include <cstdio>

#include "Base/RunnerState.h"
#include "Code/ValueText.h"
#include "IO/StateHash.h"
#include "Room/CRoom.h"
#include "Room/RunningRooms.h"
#include "Variable/CInstance.h"
#include "Variable/GameVariables.h"
#include "Variable/KxObjectBase.h"

namespace {

void HashValue(StateHash& hash, const RValue& value) {
    hash.Number(uint32_t(value.Kind()));
    if (value.Kind() == VALUE_REAL) hash.Number(value.val);
    else hash.Text(ValueText(value));
}

size_t InstanceCount() {
    const CRoom* room = CurrentRoom();
    return room ? room->active.Size() : 0;
}

} // namespace

uint64_t GameStateDigest() {
    StateHash hash;
    const RunnerState& runner = Runner();
    hash.Number(runner.current_room);
    hash.Number(runner.frames_drawn);
    if (const CRoom* room = CurrentRoom()) {
        hash.Number(uint64_t(room->active.Size()));
        for (const CInstance* instance : room->active.View()) {
            hash.Number(instance->object_index);
            hash.Number(instance->x);
            hash.Number(instance->y);
        }
    }
    if (const KxObjectBase* globals = GlobalObject()) {
        for (int32_t slot = 0; slot < GlobalVariableCount(); ++slot) {
            const RValue* value = globals->FindSlot(slot);
            if (!value) continue;
            hash.Number(slot);
            HashValue(hash, *value);
        }
    }
    return hash.Value();
}

std::string GameStateDigestLine(const RunDigest& run) {
    char line[160];
    std::snprintf(line, sizeof line, "digest %016" PRIx64 " room %d frames %d instances %zu run %016" PRIx64,
                  GameStateDigest(), Runner().current_room, Runner().frames_drawn, InstanceCount(), run.Value());
    return line;
}
