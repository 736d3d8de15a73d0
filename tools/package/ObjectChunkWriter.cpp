// Objects: the record, the physics fields of the package's version, and the event table.
#include "ChunkWriters.h"

using namespace package;

namespace {

void WritePhysics(PackageWriteState& state, const ObjectPhysics& physics) {
    const uint8_t version = state.package.header.bytecode_version;
    if (version < kObjectPhysicsFromVersion) return;
    state.out.Append(ObjectPhysicsRecord{physics.uses_physics, physics.is_sensor, physics.shape,
                                         physics.density, physics.restitution, physics.group,
                                         physics.linear_damping, physics.angular_damping,
                                         uint32_t(physics.vertices.size())});
    if (version >= kObjectFrictionFromVersion)
        state.out.Append(
            ObjectPhysicsExtraRecord{physics.friction, physics.awake, physics.kinematic});
    for (const PhysicsVertexRecord& vertex : physics.vertices)
        state.out.Append(vertex);
}

// The table of every event type, each a list of events; an event with code runs it as its one
// action, an event without code has no actions.
void WriteEvents(PackageWriteState& state, const std::map<EventKey, int32_t>& events) {
    const uint32_t type_references = state.out.AppendList(kEventTypeCount);
    for (uint32_t type = 0; type < kEventTypeCount; ++type) {
        std::vector<std::pair<int32_t, int32_t>> of_type; // subtype, code index
        for (const auto& [key, code_index] : events)
            if (key.type == int32_t(type)) of_type.emplace_back(key.subtype, code_index);
        state.out.Patch(type_references + 4 * type, state.out.Size());
        const uint32_t event_references = state.out.AppendList(of_type.size());
        for (size_t i = 0; i < of_type.size(); ++i) {
            const auto [subtype, code_index] = of_type[i];
            const bool has_code = code_index != -1;
            state.out.Patch(event_references + 4 * i,
                            state.out.Append(EventRecord{subtype, has_code ? 1u : 0u}));
            if (!has_code) continue;
            const uint32_t action_reference = state.out.Append(uint32_t(0));
            ActionRecord action{};
            action.code_index = code_index;
            state.out.Patch(action_reference, state.out.Append(action));
        }
    }
}

} // namespace

void WriteObjectChunk(PackageWriteState& state) {
    WriteResources(state, state.package.objects, [&](const PackageObject& object) {
        ObjectRecord record{0,
                            object.sprite_index,
                            object.visible,
                            object.solid,
                            object.depth,
                            object.persistent,
                            object.parent_index,
                            object.mask_index};
        const uint32_t at = state.out.Append(record);
        state.out.ReferString(at + offsetof(ObjectRecord, name), object.name);
        WritePhysics(state, object.physics);
        WriteEvents(state, object.events);
        return at;
    });
}
