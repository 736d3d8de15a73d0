// The header and options chunks' payloads.
#include "ChunkWriters.h"

#include <cstring>

using namespace package;

void WriteHeaderChunk(PackageWriteState& state) {
    const PackageHeader& header = state.package.header;
    HeaderRecord record{};
    record.debug_disabled = header.debug_disabled ? 1 : 0;
    record.bytecode_version = header.bytecode_version;
    record.last_instance_id = header.last_instance_id;
    record.last_tile_id = header.last_tile_id;
    record.game_id = header.game_id;
    std::memcpy(record.guid, header.guid.data(), sizeof record.guid);
    record.major_version = header.major_version;
    record.minor_version = header.minor_version;
    record.release = header.release;
    record.build = header.build;
    record.window_width = header.window_width;
    record.window_height = header.window_height;
    record.info_flags = header.info_flags;
    record.timestamp = Word64::From(header.timestamp);
    record.active_targets = Word64::From(header.active_targets);
    record.function_classifications = Word64::From(header.function_classifications);
    record.store_app_id = header.store_app_id;
    record.debugger_port = header.debugger_port;
    record.room_count = uint32_t(header.room_order.size());
    const uint32_t at = state.out.Append(record);
    state.out.ReferString(at + offsetof(HeaderRecord, config_name), header.config_name);
    state.out.ReferString(at + offsetof(HeaderRecord, game_name), header.game_name);
    state.out.ReferString(at + offsetof(HeaderRecord, display_name), header.display_name);
    for (int32_t room : header.room_order)
        state.out.Append(room);
    HeaderTail tail{};
    tail.game_speed = header.game_speed;
    state.out.Append(tail);
}

void WriteOptionsChunk(PackageWriteState& state) {
    const PackageOptions& options = state.package.options;
    OptionsTrailer trailer{};
    trailer.stored_scale = options.stored_scale;
    trailer.window_colour = options.window_colour;
    if (options.legacy_layout) {
        LegacyOptionsRecord record{};
        for (uint32_t bit = 0; bit < kLegacyOptionCount; ++bit)
            record.options[bit] = (options.flags >> bit) & 1;
        record.trailer = trailer;
        record.constant_count = uint32_t(options.constants.size());
        state.out.Append(record);
    } else {
        OptionsRecord record{};
        record.marker = kOptionsMarker;
        record.layout_version = kOptionsLayoutVersion;
        record.flags = options.flags;
        record.trailer = trailer;
        record.constant_count = uint32_t(options.constants.size());
        state.out.Append(record);
    }
    for (const PackageConstant& constant : options.constants) {
        const uint32_t at = state.out.Append(ConstantRecord{});
        state.out.ReferString(at + offsetof(ConstantRecord, name), constant.name);
        state.out.ReferString(at + offsetof(ConstantRecord, value), constant.value);
    }
}
