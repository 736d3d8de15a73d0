// Objects: the record, the physics fields of the versions that have them, the event table, and
// a check that no parent chain loops.
#include "Package/PackageChunkReaders.h"

using namespace package;

namespace {

void ReadPhysics(PackageReadState& state, uint64_t& at, ObjectPhysics& physics) {
    const uint8_t version = state.package.header.bytecode_version;
    if (version < kObjectPhysicsFromVersion) return;
    auto record = state.bytes.Read<ObjectPhysicsRecord>(at, "physics fields");
    physics.uses_physics = record.uses_physics != 0;
    physics.is_sensor = record.is_sensor != 0;
    physics.shape = record.shape;
    physics.density = record.density;
    physics.restitution = record.restitution;
    physics.group = record.group;
    physics.linear_damping = record.linear_damping;
    physics.angular_damping = record.angular_damping;
    at += sizeof(ObjectPhysicsRecord);
    if (version >= kObjectFrictionFromVersion) {
        auto extra = state.bytes.Read<ObjectPhysicsExtraRecord>(at, "physics fields");
        physics.friction = extra.friction;
        physics.awake = extra.awake != 0;
        physics.kinematic = extra.kinematic != 0;
        at += sizeof(ObjectPhysicsExtraRecord);
    }
    state.bytes.NeedItems(at, record.vertex_count, sizeof(PhysicsVertexRecord), "physics vertices");
    physics.vertices.resize(record.vertex_count);
    for (auto& vertex : physics.vertices) {
        vertex = state.bytes.Read<PhysicsVertexRecord>(at, "physics vertex");
        at += sizeof(PhysicsVertexRecord);
    }
}

void ReadEvent(PackageReadState& state, int32_t type, uint32_t at, PackageObject& object) {
    auto record = state.bytes.Read<EventRecord>(at, "event record");
    const uint32_t actions = state.bytes.Count(at + 4, 4, "actions");
    int32_t code_index = -1;
    if (actions > 0) {
        const uint32_t action = state.bytes.Word(at + 8, "action");
        state.NeedReference(action, "action record", at + 8);
        code_index = state.bytes.Read<ActionRecord>(action, "action record").code_index;
        state.CheckCodeIndex(code_index, true, "code entry",
                             uint64_t(action) + offsetof(ActionRecord, code_index));
    }
    if (type == kEventCollision)
        state.CheckIndex(record.subtype, state.package.objects.size(), false,
                         "collision with object", at);
    if (!object.events.try_emplace({type, record.subtype}, code_index).second)
        state.bytes.Fail("event " + std::to_string(type) + "/" + std::to_string(record.subtype) +
                             " appears twice",
                         at);
}

void ReadEvents(PackageReadState& state, uint64_t at, PackageObject& object) {
    const uint32_t types = state.bytes.Count(at, 4, "event table");
    if (types > kEventTypeCount)
        state.bytes.Fail("event table has " + std::to_string(types) + " types, more than " +
                             std::to_string(kEventTypeCount),
                         at);
    for (uint32_t type = 0; type < types; ++type) {
        const uint32_t list = state.bytes.Word(at + 4 + 4 * uint64_t(type), "event list");
        if (list == kNone) continue;
        PackageBytes::Context context(state.bytes, "event type", type);
        const uint32_t events = state.bytes.Count(list, 4, "events");
        for (uint32_t i = 0; i < events; ++i) {
            const uint64_t reference_at = uint64_t(list) + 4 + 4 * uint64_t(i);
            const uint32_t event = state.bytes.Word(reference_at, "event");
            state.NeedReference(event, "event record", reference_at);
            ReadEvent(state, int32_t(type), event, object);
        }
    }
}

// The object list is sized before its first record is read, so indices of objects check out.
PackageObject ReadObject(PackageReadState& state, uint32_t at) {
    const size_t object_count = state.package.objects.size();
    const size_t sprite_count = state.package.sprites.size();
    auto record = state.bytes.Read<ObjectRecord>(at, "object record");
    PackageObject object;
    object.name = state.bytes.String(record.name, "name");
    object.sprite_index = record.sprite;
    state.CheckIndex(record.sprite, sprite_count, true, "sprite index",
                     at + offsetof(ObjectRecord, sprite));
    object.visible = record.visible != 0;
    object.solid = record.solid != 0;
    object.depth = record.depth;
    object.persistent = record.persistent != 0;
    object.parent_index = record.parent;
    state.CheckIndex(record.parent, object_count, true, "parent index",
                     at + offsetof(ObjectRecord, parent));
    object.mask_index = record.mask;
    state.CheckIndex(record.mask, sprite_count, true, "mask sprite index",
                     at + offsetof(ObjectRecord, mask));
    uint64_t next = uint64_t(at) + sizeof(ObjectRecord);
    ReadPhysics(state, next, object.physics);
    ReadEvents(state, next, object);
    return object;
}

// Walks every parent chain once; a chain that comes back to an object on the current walk
// loops, and event inheritance along it would never end.
void CheckParentChains(PackageReadState& state, const PackageChunk& chunk) {
    enum : uint8_t { kUnseen, kOnWalk, kDone };
    const auto& objects = state.package.objects;
    std::vector<uint8_t> mark(objects.size(), kUnseen);
    std::vector<size_t> walk;
    for (size_t start = 0; start < objects.size(); ++start) {
        walk.clear();
        int64_t index = int64_t(start);
        while (index >= 0 && objects[size_t(index)] && mark[size_t(index)] == kUnseen) {
            mark[size_t(index)] = kOnWalk;
            walk.push_back(size_t(index));
            index = objects[size_t(index)]->parent_index;
        }
        if (index >= 0 && mark[size_t(index)] == kOnWalk) {
            PackageBytes::Context context(state.bytes, "object", int64_t(index));
            state.bytes.Fail("parent chain loops back to this object", chunk.offset);
        }
        for (size_t visited : walk)
            mark[visited] = kDone;
    }
}

} // namespace

void ReadObjectChunk(PackageReadState& state, const PackageChunk& chunk) {
    state.ReadResources(chunk, "object", state.package.objects,
                        [&](uint32_t at) { return ReadObject(state, at); });
    CheckParentChains(state, chunk);
}
