// Per-frame instance work: animation, alarms and motion.
#include "Object/InstanceStep.h"

#include "Base/RunnerState.h"
#include "Object/EventDispatch.h"
#include "Object/EventPass.h"
#include "Object/Motion.h"
#include "Object/ObjectTable.h"
#include "Room/RunningRooms.h"
#include "Sprite/CSprite.h"
#include "Sprite/SpriteTable.h"
#include "Variable/CInstance.h"

namespace {

// How far image_index moves this frame.
float AnimationStep(const CInstance& instance, const CSprite* sprite) {
    const RunnerState& runner = Runner();
    if (runner.major_version < 2 || !sprite) return instance.image_speed;
    if (sprite->SpeedType() == CSprite::kFramesPerGameFrame) return instance.image_speed * sprite->Speed();
    if (runner.game_speed == 0) return 0;
    return float(instance.image_speed * sprite->Speed() / runner.game_speed);
}

void Animate(CInstance& instance) {
    const CSprite* sprite = GetSprite(instance.sprite_index);
    instance.image_index += AnimationStep(instance, sprite);
    // Without a sprite there are no frames, so the animation ends every frame.
    const float frames = sprite ? float(sprite->FrameCount()) : 0;
    if (instance.image_index >= frames) {
        instance.image_index -= frames;
        PerformEvent(&instance, &instance, ev_other, ev_animation_end);
    } else if (instance.image_index < 0) {
        instance.image_index += frames;
        PerformEvent(&instance, &instance, ev_other, ev_animation_end);
    }
}

} // namespace

void UpdateInstances() {
    CRoom* room = CurrentRoom();
    if (!room) return;
    room->active.ForEach([](CInstance* instance) {
        if (!instance->IsLive()) return;
        instance->xprevious = instance->x;
        instance->yprevious = instance->y;
        Animate(*instance);
    });
}

void RunAlarms() {
    for (int32_t alarm = 0; alarm < ALARM_COUNT; ++alarm) {
        ForEachListedInstance(ev_alarm, alarm, [&](const CObject&, CInstance* instance) {
            int32_t& counter = instance->alarm[size_t(alarm)];
            // An alarm set to 0 passes through to -1 without firing.
            if (counter >= 0 && --counter == 0) PerformEvent(instance, instance, ev_alarm, alarm);
        });
    }
}

void MoveInstances() {
    CRoom* room = CurrentRoom();
    if (!room) return;
    const std::span<CInstance* const> instances = room->active.View();
    for (size_t i = 0; i < instances.size(); ++i) {
        if (i + PREFETCH_DISTANCE < instances.size()) RoomInstanceList::Prefetch(instances[i + PREFETCH_DISTANCE]);
        if (instances[i]->IsLive()) ApplyMotion(*instances[i]);
    }
}
