// The header summary, chunk list and counts.
#include "PackageInfo.h"

#include "Package/PackageReader.h"
#include "TextOut.h"

#include <cinttypes>

std::string PackageInfoText(const GamePackage& package) {
    const PackageHeader& header = package.header;
    std::string out;
    Appendf(out, "game_name: %s\n", std::string(header.game_name).c_str());
    Appendf(out, "display_name: %s\n", std::string(header.display_name).c_str());
    Appendf(out, "config_name: %s\n", std::string(header.config_name).c_str());
    Appendf(out, "format_number: %d\n", header.format_number);
    Appendf(out, "bytecode_version: %u\n", unsigned(header.bytecode_version));
    Appendf(out, "major_version: %u\n", header.major_version);
    Appendf(out, "minor_version: %u\n", header.minor_version);
    Appendf(out, "release: %u\n", header.release);
    Appendf(out, "build: %u\n", header.build);
    Appendf(out, "debug_disabled: %d\n", header.debug_disabled ? 1 : 0);
    Appendf(out, "game_id: %u\n", header.game_id);
    out += "guid: ";
    for (uint8_t byte : header.guid)
        Appendf(out, "%02x", byte);
    out += "\n";
    Appendf(out, "last_instance_id: %u\n", header.last_instance_id);
    Appendf(out, "last_tile_id: %u\n", header.last_tile_id);
    Appendf(out, "window_width: %u\n", header.window_width);
    Appendf(out, "window_height: %u\n", header.window_height);
    Appendf(out, "info_flags: 0x%08x\n", header.info_flags);
    Appendf(out, "timestamp: %" PRIu64 "\n", header.timestamp);
    Appendf(out, "active_targets: 0x%016" PRIx64 "\n", header.active_targets);
    Appendf(out, "function_classifications: 0x%016" PRIx64 "\n", header.function_classifications);
    Appendf(out, "store_app_id: %u\n", header.store_app_id);
    Appendf(out, "debugger_port: %u\n", header.debugger_port);
    Appendf(out, "game_speed: %g\n", double(header.game_speed));
    out += "room_order: ";
    for (size_t i = 0; i < header.room_order.size(); ++i)
        Appendf(out, "%s%d", i ? "," : "", header.room_order[i]);
    out += "\n";
    Appendf(out, "options_flags: 0x%08x\n", package.options.flags);
    Appendf(out, "window_colour: 0x%06x\n", package.options.window_colour);

    for (const PackageChunk& chunk : package.chunks)
        Appendf(out, "chunk %s %u\n", ChunkTagText(chunk.tag).c_str(), chunk.length);

    Appendf(out, "objects: %zu\n", package.objects.size());
    Appendf(out, "rooms: %zu\n", package.rooms.size());
    Appendf(out, "sprites: %zu\n", package.sprites.size());
    Appendf(out, "backgrounds: %zu\n", package.backgrounds.size());
    Appendf(out, "sounds: %zu\n", package.sounds.size());
    Appendf(out, "fonts: %zu\n", package.fonts.size());
    Appendf(out, "textures: %zu\n", package.textures.size());
    Appendf(out, "texture_page_entries: %zu\n", package.texture_page_entries.size());
    Appendf(out, "scripts: %zu\n", package.scripts.size());
    Appendf(out, "code: %zu\n", package.code.size());
    Appendf(out, "strings: %zu\n", package.strings.size());
    return out;
}
