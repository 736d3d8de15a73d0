// The header chunk (versions, window, room order, game speed) and the options chunk (flags and
// constants, in either layout).
#include "Code/NumberText.h"
#include "Package/PackageChunkReaders.h"

#include <cstring>

using namespace package;

void ReadHeaderChunk(PackageReadState& state, const PackageChunk& chunk) {
    PackageBytes::Context context(state.bytes, "header");
    PackageHeader& header = state.package.header;
    state.NeedInChunk(chunk, chunk.offset, sizeof(HeaderRecord), "header record");
    auto record = state.bytes.Read<HeaderRecord>(chunk.offset, "header record");

    header.format_number = chunk.tag == kTagGen8 ? kFormatNumberGen8 : kFormatNumberGen7;
    header.debug_disabled = record.debug_disabled != 0;
    const uint8_t version = record.bytecode_version;
    header.bytecode_version = version;
    header.config_name = state.bytes.String(record.config_name, "configuration name");
    header.last_instance_id = record.last_instance_id;
    header.last_tile_id = record.last_tile_id;
    header.game_id = record.game_id;
    std::memcpy(header.guid.data(), record.guid, sizeof record.guid);
    header.game_name = state.bytes.String(record.game_name, "game name");
    header.major_version = record.major_version;
    header.minor_version = record.minor_version;
    header.release = record.release;
    header.build = record.build;
    header.window_width = record.window_width;
    header.window_height = record.window_height;
    header.info_flags = record.info_flags;
    header.timestamp = record.timestamp.Get();
    if (version > kDisplayNameAfterVersion)
        header.display_name = state.bytes.String(record.display_name, "display name");
    if (version > kActiveTargetsAfterVersion) header.active_targets = record.active_targets.Get();
    if (version >= kFunctionClassificationsFromVersion)
        header.function_classifications = record.function_classifications.Get();
    if (version > kStoreAppIdAfterVersion) header.store_app_id = record.store_app_id;
    if (version > kDebuggerPortAfterVersion) header.debugger_port = record.debugger_port;

    const uint64_t order_offset = chunk.offset + sizeof(HeaderRecord);
    state.NeedInChunk(chunk, order_offset, uint64_t(record.room_count) * 4, "room order");
    state.bytes.Charge(uint64_t(record.room_count) * 4, order_offset);
    header.room_order.resize(record.room_count);
    for (uint32_t i = 0; i < record.room_count; ++i)
        header.room_order[i] =
            int32_t(state.bytes.Word(order_offset + 4 * uint64_t(i), "room order"));

    if (version >= kGameSpeedFromVersion && header.NewProject()) {
        const uint64_t tail_offset = order_offset + uint64_t(record.room_count) * 4;
        state.NeedInChunk(chunk, tail_offset, sizeof(HeaderTail), "game speed");
        header.game_speed = state.bytes.Read<HeaderTail>(tail_offset, "game speed").game_speed;
    }
}

namespace {

void ReadConstants(PackageReadState& state, const PackageChunk& chunk, uint64_t count_offset) {
    PackageOptions& options = state.package.options;
    state.NeedInChunk(chunk, count_offset, 4, "constant count");
    uint32_t count = state.bytes.Count(count_offset, sizeof(ConstantRecord), "constants");
    state.NeedInChunk(chunk, count_offset + 4, uint64_t(count) * sizeof(ConstantRecord),
                      "constants");
    for (uint32_t i = 0; i < count; ++i) {
        PackageBytes::Context context(state.bytes, "constant", i);
        auto pair =
            state.bytes.Read<ConstantRecord>(count_offset + 4 + uint64_t(i) * 8, "constant");
        PackageConstant constant{state.bytes.String(pair.name, "name"),
                                 state.bytes.String(pair.value, "value")};
        options.constants.push_back(constant);

        if (constant.value.empty()) continue;
        // Strings in the image end with a NUL, so the value reads as C text.
        const char* text = constant.value.data();
        int64_t number = 0;
        uint64_t unsigned_number = 0;
        if (constant.name == kConstantSleepMargin) {
            if (ParseInt64Prefix(text, 10, &number)) options.sleep_margin_ms = int32_t(number);
        } else if (constant.name == kConstantDrawColour) {
            if (ParseUInt64Prefix(text, 0, &unsigned_number))
                options.draw_colour = uint32_t(unsigned_number);
        } else if (constant.name == kConstantVersionMajor) {
            if (ParseInt64Prefix(text, 10, &number)) options.version_major = number;
        } else if (constant.name == kConstantVersionMinor) {
            if (ParseInt64Prefix(text, 10, &number)) options.version_minor = number;
        }
    }
}

} // namespace

void ReadOptionsChunk(PackageReadState& state, const PackageChunk& chunk) {
    PackageBytes::Context context(state.bytes, "options");
    PackageOptions& options = state.package.options;
    const PackageHeader& header = state.package.header;
    state.NeedInChunk(chunk, chunk.offset, 4, "options");
    uint64_t constants_offset = 0;
    if (int32_t(state.bytes.Word(chunk.offset, "options marker")) < 0) {
        state.NeedInChunk(chunk, chunk.offset, sizeof(OptionsRecord), "options record");
        auto record = state.bytes.Read<OptionsRecord>(chunk.offset, "options record");
        if (record.layout_version != kOptionsLayoutVersion)
            state.bytes.Fail("options layout version " + std::to_string(record.layout_version) +
                                 " is not " + std::to_string(kOptionsLayoutVersion),
                             chunk.offset + 4);
        options.legacy_layout = false;
        options.flags = record.flags;
        options.stored_scale = record.trailer.stored_scale;
        options.window_colour = record.trailer.window_colour;
        constants_offset = chunk.offset + offsetof(OptionsRecord, constant_count);
    } else {
        state.NeedInChunk(chunk, chunk.offset, sizeof(LegacyOptionsRecord), "options record");
        auto record = state.bytes.Read<LegacyOptionsRecord>(chunk.offset, "options record");
        options.legacy_layout = true;
        options.flags = 0;
        for (uint32_t bit = 0; bit < kLegacyOptionCount; ++bit)
            if (record.options[bit] != 0) options.flags |= 1u << bit;
        options.stored_scale = record.trailer.stored_scale;
        options.window_colour = record.trailer.window_colour;
        constants_offset = chunk.offset + offsetof(LegacyOptionsRecord, constant_count);
    }
    if (header.bytecode_version <= kCreationEventOrderAfterVersion)
        options.flags &= ~kOptionCreationEventOrder;
    if (header.NewProject())
        options.flags |= kOptionFastCollision | kOptionFastCollisionCompatibility;
    ReadConstants(state, chunk, constants_offset);
}
