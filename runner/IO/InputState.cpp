#include "IO/InputState.h"

#include "Room/RunningRooms.h"

InputState& RunnerInput() {
    static InputState input;
    return input;
}

void ClearInput() {
    RunnerInput().keyboard.Clear();
    RunnerInput().mouse.Clear();
}

PointF MouseInRoom() {
    const MouseSnapshot& mouse = RunnerInput().mouse.Current();
    const CRoom* room = CurrentRoom();
    if (!room) return mouse.position;
    return PictureToRoom(*room, mouse.position, mouse.picture_width, mouse.picture_height);
}
