// One text block per record, for each kind pkgtool dumps.
#include "PackageDump.h"

#include "Package/PackageFormat.h"
#include "TextOut.h"

#include <functional>

using namespace package;

namespace {

using DumpRecord = std::function<void(std::string&, size_t)>;

const char* LayerTypeName(uint32_t type) {
    switch (type) {
    case kLayerBackground: return "background";
    case kLayerInstances: return "instances";
    case kLayerAssets: return "assets";
    case kLayerTiles: return "tiles";
    default: return "unknown";
    }
}

const char* EncodingName(TextureEncoding encoding) {
    switch (encoding) {
    case TextureEncoding::Png: return "png";
    case TextureEncoding::Raw16: return "raw16";
    case TextureEncoding::Raw32: return "raw32";
    case TextureEncoding::None: break;
    }
    return "none";
}

void DumpObject(std::string& out, const PackageObject& object) {
    Appendf(out, "  sprite: %d  mask: %d  parent: %d  depth: %d\n", object.sprite_index,
            object.mask_index, object.parent_index, object.depth);
    Appendf(out, "  visible: %d  solid: %d  persistent: %d  physics: %d\n", object.visible,
            object.solid, object.persistent, object.physics.uses_physics);
    for (const auto& [key, code] : object.events)
        Appendf(out, "  event %d/%d: code %d\n", key.type, key.subtype, code);
}

void DumpLayer(std::string& out, const RoomLayer& layer) {
    Appendf(out, "  layer %s id %u %s depth %d offset %g,%g speed %g,%g visible %d\n",
            Quoted(layer.name).c_str(), layer.id, LayerTypeName(layer.type), layer.depth,
            double(layer.x_offset), double(layer.y_offset), double(layer.speed_x),
            double(layer.speed_y), layer.visible);
    switch (layer.type) {
    case kLayerBackground:
        Appendf(out, "    sprite %d colour 0x%08x tiled %u,%u stretch %u\n",
                layer.background.sprite, layer.background.colour,
                layer.background.tile_horizontally, layer.background.tile_vertically,
                layer.background.stretch);
        break;
    case kLayerInstances:
        out += "    instances:";
        for (uint32_t id : layer.instance_ids)
            Appendf(out, " %u", id);
        out += "\n";
        break;
    case kLayerAssets:
        Appendf(out, "    %zu tiles, %zu sprites\n", layer.asset_tiles.size(),
                layer.asset_sprites.size());
        for (const SpriteElement& element : layer.asset_sprites)
            Appendf(out, "    sprite %s %d at %g,%g\n", Quoted(element.name).c_str(),
                    element.sprite, double(element.x), double(element.y));
        break;
    case kLayerTiles: {
        const TileMap& map = layer.tile_map;
        Appendf(out, "    tile set %d, %ux%u cells\n", map.tile_set, map.width, map.height);
        for (uint32_t row = 0; row < map.height; ++row) {
            out += "   ";
            for (uint32_t column = 0; column < map.width; ++column)
                Appendf(out, " %x", map.cells[size_t(row) * map.width + column]);
            out += "\n";
        }
        break;
    }
    default: break;
    }
}

void DumpRoom(std::string& out, const PackageRoom& room) {
    Appendf(out, "  caption: %s\n", Quoted(room.caption).c_str());
    Appendf(out, "  size: %ux%u  speed: %u  persistent: %d  colour: 0x%06x  draw colour: %d\n",
            room.width, room.height, room.speed, room.persistent, room.colour, room.draw_colour);
    Appendf(
        out, "  creation code: %d  views: %d  clear with window colour: %d  clear display: %d\n",
        room.creation_code, room.views_enabled, room.clear_with_window_colour, room.clear_display);
    for (const RoomBackgroundRecord& background : room.backgrounds)
        Appendf(out, "  background: index %d at %d,%d visible %u foreground %u\n",
                background.background, background.x, background.y, background.visible,
                background.foreground);
    for (const RoomViewRecord& view : room.views)
        Appendf(out, "  view: enabled %u, %d,%d %dx%d port %d,%d %dx%d follow %d\n", view.enabled,
                view.view_x, view.view_y, view.view_width, view.view_height, view.port_x,
                view.port_y, view.port_width, view.port_height, view.follow);
    for (const RoomInstanceRecord& instance : room.instances)
        Appendf(out, "  instance %u: object %d at %d,%d creation code %d pre-create code %d\n",
                instance.id, instance.object, instance.x, instance.y, instance.creation_code,
                instance.pre_create_code);
    for (const LegacyTileRecord& tile : room.tiles)
        Appendf(out, "  tile %u: background %d at %d,%d\n", tile.id, tile.background, tile.x,
                tile.y);
    for (const RoomLayer& layer : room.layers)
        DumpLayer(out, layer);
}

void DumpSprite(std::string& out, const PackageSprite& sprite) {
    Appendf(out, "  size: %ux%u  origin: %d,%d  bbox: %d,%d,%d,%d  mask kind: %u\n", sprite.width,
            sprite.height, sprite.origin_x, sprite.origin_y, sprite.bbox_left, sprite.bbox_top,
            sprite.bbox_right, sprite.bbox_bottom, sprite.mask_kind);
    Appendf(out, "  type: %u  speed: %g (type %u)  masks: %zu  reach: %d\n", sprite.type,
            double(sprite.playback_speed), sprite.playback_speed_type, sprite.masks.size(),
            sprite.Reach());
    out += "  frames:";
    for (int32_t frame : sprite.frames)
        Appendf(out, " %d", frame);
    out += "\n";
}

void DumpBackground(std::string& out, const PackageBackground& background) {
    Appendf(out, "  texture page entry: %d  tile: %ux%u  border: %u,%u  columns: %u\n",
            background.texture_page, background.tile_width, background.tile_height,
            background.border_x, background.border_y, background.columns);
    Appendf(out, "  tiles: %u  frames per tile: %u  frame time: %u us\n", background.tile_count,
            background.frames_per_tile, background.frame_time_us);
}

void DumpFont(std::string& out, const PackageFont& font) {
    Appendf(out, "  face: %s  size: %g  bold: %d  italic: %d  chars: %u-%u\n",
            Quoted(font.face).c_str(), double(font.size), font.bold, font.italic,
            unsigned(font.first_char), font.last_char);
    Appendf(out, "  texture page entry: %d  scale: %g,%g  glyphs: %zu\n", font.texture_page,
            double(font.scale_x), double(font.scale_y), font.glyphs.size());
    for (const Glyph& glyph : font.glyphs)
        Appendf(out, "  glyph %u: %u,%u %ux%u shift %d offset %d\n", unsigned(glyph.code_point),
                unsigned(glyph.x), unsigned(glyph.y), unsigned(glyph.width), unsigned(glyph.height),
                glyph.shift, glyph.offset);
}

void DumpSound(std::string& out, const GamePackage& package, const PackageSound& sound) {
    Appendf(out, "  kind: %u  file: %s  extension: %s  volume: %g  pitch: %g  group: %d  audio: %d",
            sound.kind, Quoted(sound.file_name).c_str(), Quoted(sound.extension).c_str(),
            double(sound.volume), double(sound.pitch), sound.group, sound.audio_index);
    if (sound.group == 0 && sound.audio_index >= 0)
        Appendf(out, " (%zu bytes)", package.audio[size_t(sound.audio_index)].size());
    out += "\n";
}

void DumpTexture(std::string& out, const PackageTexture& texture) {
    Appendf(out, "  %s %ux%u  flags: 0x%x  mips: %u\n", EncodingName(texture.encoding),
            texture.width, texture.height, texture.flags, texture.mip_count);
}

template <class T>
DumpRecord Resources(const ResourceList<T>& list, const char* kind,
                     std::function<void(std::string&, const T&)> body) {
    return [&list, kind, body](std::string& out, size_t i) {
        if (!list[i]) {
            Appendf(out, "%s %zu: (empty)\n", kind, i);
            return;
        }
        Appendf(out, "%s %zu %s\n", kind, i, Quoted(list[i]->name).c_str());
        body(out, *list[i]);
    };
}

} // namespace

std::optional<std::string> PackageDumpText(const GamePackage& package, std::string_view kind,
                                           std::optional<int64_t> index) {
    size_t count = 0;
    DumpRecord dump;
    if (kind == "objects") {
        count = package.objects.size();
        dump = Resources<PackageObject>(package.objects, "object", DumpObject);
    } else if (kind == "rooms") {
        count = package.rooms.size();
        dump = Resources<PackageRoom>(package.rooms, "room", DumpRoom);
    } else if (kind == "sprites") {
        count = package.sprites.size();
        dump = Resources<PackageSprite>(package.sprites, "sprite", DumpSprite);
    } else if (kind == "backgrounds") {
        count = package.backgrounds.size();
        dump = Resources<PackageBackground>(package.backgrounds, "background", DumpBackground);
    } else if (kind == "fonts") {
        count = package.fonts.size();
        dump = Resources<PackageFont>(package.fonts, "font", DumpFont);
    } else if (kind == "sounds") {
        count = package.sounds.size();
        dump = Resources<PackageSound>(package.sounds, "sound",
                                       [&package](std::string& out, const PackageSound& sound) {
                                           DumpSound(out, package, sound);
                                       });
    } else if (kind == "textures") {
        count = package.textures.size();
        dump = [&package](std::string& out, size_t i) {
            Appendf(out, "texture %zu\n", i);
            if (package.textures[i])
                DumpTexture(out, *package.textures[i]);
            else
                out += "  (empty)\n";
        };
    } else if (kind == "code") {
        count = package.code.size();
        dump = [&package](std::string& out, size_t i) {
            const PackageCodeEntry& entry = package.code[i];
            Appendf(out, "code %zu %s: %zu bytes, %u locals, %u arguments\n", i,
                    Quoted(entry.name).c_str(), entry.bytes.size(), entry.local_count,
                    entry.argument_count);
        };
    } else if (kind == "strings") {
        count = package.strings.size();
        dump = [&package](std::string& out, size_t i) {
            Appendf(out, "string %zu %s\n", i, Quoted(package.strings[i]).c_str());
        };
    } else {
        return std::nullopt;
    }

    std::string out;
    if (index) {
        if (*index < 0 || uint64_t(*index) >= count) return std::nullopt;
        dump(out, size_t(*index));
    } else {
        for (size_t i = 0; i < count; ++i)
            dump(out, i);
    }
    return out;
}
