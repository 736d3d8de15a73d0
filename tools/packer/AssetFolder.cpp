#include "AssetFolder.h"

#include <algorithm>
#include <fstream>
#include <set>

#include "CodeNames.h"
#include "ObjectSource.h"
#include "OggEncoder.h"
#include "PackageWriter.h"
#include "Platform/AtomicFile.h"
#include "RoomChecks.h"
#include "SoundSource.h"
#include "SpriteRecord.h"
#include "TileSetSource.h"

namespace fs = std::filesystem;

namespace {

// The stems of the files in `folder` with `extension`, in name order.
std::vector<std::string> NamesIn(const fs::path& folder, const std::string& extension) {
    std::vector<std::string> names;
    if (!fs::is_directory(folder)) return names;
    for (const fs::directory_entry& file : fs::directory_iterator(folder))
        if (file.is_regular_file() && file.path().extension() == extension)
            names.push_back(file.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The names listed under `key`, then every other name in `available`, in name order. A listed
// name that is not available, or listed twice, is refused where it is listed.
std::vector<std::string> Ordered(const AssetDocument& game, std::string_view key,
                                 const std::vector<std::string>& available, const std::string& kind) {
    std::vector<std::string> order;
    std::set<std::string> listed;
    if (const AssetEntry* list = game.Find(key)) {
        list->ExpectArgs(0, 0);
        for (const AssetLine& line : list->body) {
            if (std::find(available.begin(), available.end(), line.text) == available.end())
                throw AssetError(line.spot, "no " + kind + " named \"" + line.text + "\"");
            if (!listed.insert(line.text).second)
                throw AssetError(line.spot, "\"" + line.text + "\" is listed twice");
            order.push_back(line.text);
        }
    }
    for (const std::string& name : available)
        if (!listed.count(name)) order.push_back(name);
    return order;
}

} // namespace

AssetFolder::AssetFolder(const fs::path& folder, const std::set<std::string>& scripts, const fs::path& cache)
    : folder_(folder), cache_(cache) {
    const AssetDocument game = AssetDocument::Load((folder / "game.txt").string());
    game.ExpectKeys({"name", "window", "speed", "sprites", "tilesets", "sounds", "objects", "rooms"});
    ReadGame(game);
    Palette palette;
    palette.AddDocument(AssetDocument::Load((folder / "palette.txt").string()));
    ReadSprites(game, palette);
    ReadTileSets(game, palette);
    ReadSounds(game);
    ReadObjects(game);
    AddScripts(scripts);
    ReadRooms(game);
    pages_.Write(package_);
}

void AssetFolder::ReadGame(const AssetDocument& game) {
    PackageHeader& header = package_.header;
    const AssetEntry& name = game.Require("name");
    name.ExpectArgs(1, 1);
    header.game_name = Keep(name.args[0]);
    header.display_name = header.game_name;
    const AssetEntry& window = game.Require("window");
    window.ExpectArgs(2, 2);
    if (window.Int(0) <= 0 || window.Int(1) <= 0) window.Fail("the window needs a positive size");
    header.window_width = uint32_t(window.Int(0));
    header.window_height = uint32_t(window.Int(1));
    if (const AssetEntry* speed = game.Find("speed")) {
        speed->ExpectArgs(1, 1);
        if (speed->Number(0) <= 0) speed->FailAt(0, "the speed is frames per second, above 0");
        header.game_speed = float(speed->Number(0));
    }
}

void AssetFolder::ReadSprites(const AssetDocument& game, const Palette& palette) {
    const fs::path sprites = folder_ / "sprites";
    for (const std::string& name : Ordered(game, "sprites", NamesIn(sprites, ".sprite"), "sprite")) {
        const SpriteSource source =
            ReadSprite(AssetDocument::Load((sprites / (name + ".sprite")).string()), name, palette);
        package_.sprites.emplace_back(MakeSpriteRecord(source, Keep(name), pages_));
    }
}

uint64_t AssetFolder::Stamp() {
    package_.header.timestamp = 0;
    uint64_t stamp = 0xcbf29ce484222325ULL;
    for (uint8_t byte : WritePackage(package_))
        stamp = (stamp ^ byte) * 0x100000001b3ULL;
    package_.header.timestamp = stamp;
    return stamp;
}

void AssetFolder::ReadTileSets(const AssetDocument& game, const Palette& palette) {
    const fs::path folder = folder_ / "tilesets";
    for (const std::string& name : Ordered(game, "tilesets", NamesIn(folder, ".tileset"), "tile set")) {
        const TileSetSource source =
            ReadTileSet(AssetDocument::Load((folder / (name + ".tileset")).string()), name, palette);
        PackageBackground record;
        record.name = Keep(name);
        record.transparent = true;
        record.preload = true;
        record.texture_page = pages_.AddFrame(source.sheet, false);
        record.tile_width = record.tile_height = kTileSize;
        record.columns = uint32_t(source.columns);
        record.tile_count = uint32_t(source.tile_count);
        record.frames_per_tile = uint32_t(source.frames_per_tile);
        record.frame_time_us = uint32_t(source.frame_time_ms) * 1000;
        record.frames = source.frames;
        package_.backgrounds.emplace_back(std::move(record));
    }
}

std::vector<uint8_t> AssetFolder::Encode(const SoundSource& sound, const std::string& source_text) const {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char c : source_text + "\n" + sound.name)
        hash = (hash ^ c) * 0x100000001b3ULL;
    const auto serial = uint32_t(hash ^ (hash >> 32));
    if (cache_.empty()) return EncodeOgg(RenderSound(sound), serial);
    char key[20];
    std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(hash));
    const fs::path cached = cache_ / (sound.name + "-" + key + ".ogg");
    if (std::ifstream in{cached, std::ios::binary}) return {std::istreambuf_iterator<char>(in), {}};
    std::vector<uint8_t> bytes = EncodeOgg(RenderSound(sound), serial);
    // A cache that cannot be written costs only the next build's time.
    std::error_code ignored;
    fs::create_directories(cache_, ignored);
    std::string error;
    if (std::unique_ptr<AtomicFile> file = AtomicFile::Begin(cached.string(), error)) {
        file->Write({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
        file->Commit(error);
    }
    return bytes;
}

void AssetFolder::ReadSounds(const AssetDocument& game) {
    std::vector<std::string> available = NamesIn(folder_ / "sounds", ".sound");
    for (const std::string& name : NamesIn(folder_ / "music", ".music")) {
        if (std::binary_search(available.begin(), available.end(), name))
            throw AssetError({(folder_ / "music" / (name + ".music")).string(), 0, 0},
                             "a sound named \"" + name + "\" is in sounds/ too");
        available.insert(std::upper_bound(available.begin(), available.end(), name), name);
    }
    for (const std::string& name : Ordered(game, "sounds", available, "sound")) {
        const fs::path effect = folder_ / "sounds" / (name + ".sound");
        const bool is_effect = fs::exists(effect);
        const fs::path path = is_effect ? effect : folder_ / "music" / (name + ".music");
        const AssetDocument document = AssetDocument::Load(path.string());
        const SoundSource sound = is_effect ? ReadEffect(document, name) : ReadMusic(document, name);
        PackageSound record;
        record.name = Keep(name);
        record.extension = ".ogg";
        record.file_name = Keep(name + ".ogg");
        record.volume = sound.gain;
        std::vector<uint8_t> bytes = Encode(sound, document.Text());
        if (sound.streamed) {
            record.kind = 103; // played from its file beside the package
            streamed_files_[name + ".ogg"] = std::move(bytes);
        } else {
            record.kind = 101; // decoded at load
            record.audio_index = int32_t(package_.audio.size());
            package_.audio.emplace_back(audio_.emplace_back(std::move(bytes)));
        }
        package_.sounds.emplace_back(record);
    }
}

template <class T>
int32_t AssetFolder::IndexOf(const ResourceList<T>& list, const std::string& name,
                             const SourceSpot& spot, const std::string& kind) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] && list[i]->name == name) return int32_t(i);
    throw AssetError(spot, "no " + kind + " named \"" + name + "\"");
}

void AssetFolder::ReadObjects(const AssetDocument& game) {
    const fs::path folder = folder_ / "objects";
    std::vector<ObjectSource> sources;
    for (const std::string& name : Ordered(game, "objects", NamesIn(folder, ".object"), "object")) {
        sources.push_back(ReadObject(AssetDocument::Load((folder / (name + ".object")).string()), name));
        PackageObject record;
        record.name = Keep(name);
        package_.objects.emplace_back(record);
    }
    // Names are resolved once every object has its index, so any object may name any other.
    for (size_t i = 0; i < sources.size(); ++i) {
        const ObjectSource& source = sources[i];
        PackageObject& record = *package_.objects[i];
        if (!source.sprite.empty())
            record.sprite_index = IndexOf(package_.sprites, source.sprite, source.sprite_spot, "sprite");
        if (!source.mask.empty())
            record.mask_index = IndexOf(package_.sprites, source.mask, source.mask_spot, "sprite");
        if (!source.parent.empty())
            record.parent_index = IndexOf(package_.objects, source.parent, source.parent_spot, "object");
        record.depth = source.depth;
        record.solid = source.solid;
        record.persistent = source.persistent;
        record.visible = source.visible;
        for (const ObjectEventSource& event : source.events) {
            const int32_t subtype = event.type == 4 ? IndexOf(package_.objects, event.other, event.spot, "object")
                                                    : event.subtype;
            record.events[{event.type, subtype}] = -1;
        }
    }
    for (size_t i = 0; i < sources.size(); ++i) {
        // Parents may not go round in a circle.
        int32_t ancestor = package_.objects[i]->parent_index;
        for (size_t steps = 0; ancestor >= 0; ++steps) {
            if (steps == sources.size())
                throw AssetError(sources[i].parent_spot, "the parents of \"" + sources[i].name + "\" go round in a circle");
            ancestor = package_.objects[size_t(ancestor)]->parent_index;
        }
    }
    // One code entry a handler, object by object and within one by event.
    for (std::optional<PackageObject>& object : package_.objects)
        for (auto& [key, code] : object->events) {
            const std::string other = key.type == 4 ? std::string(package_.objects[size_t(key.subtype)]->name) : "";
            package_.code.push_back({Keep(ObjectEventFunctionName(object->name, key.type, key.subtype, other)), {}, 0, 0});
            code = int32_t(package_.code.size() - 1);
        }
}

void AssetFolder::AddScripts(const std::set<std::string>& scripts) {
    for (const std::string& name : scripts) {
        package_.code.push_back({Keep("psl_Script_" + name), {}, 0, 0});
        package_.scripts.emplace_back(PackageScript{Keep(name), int32_t(package_.code.size() - 1)});
    }
}

std::set<std::string> AssetFolder::AssignedVariables() const {
    std::set<std::string> names;
    for (const CreationCode& code : creation_codes_) {
        for (const InstanceAssignment& assignment : code.assignments)
            names.insert(assignment.name);
        if (!code.exits.empty()) names.insert("grid");
    }
    return names;
}

void AssetFolder::AddInstance(PackageRoom& room, const InstanceSource& source,
                              std::map<std::pair<int, int>, ExitRecord> exits) {
    package::RoomInstanceRecord record{};
    record.x = source.x;
    record.y = source.y;
    record.object = IndexOf(package_.objects, source.object, source.spot, "object");
    record.id = next_instance_id_++;
    record.creation_code = -1;
    record.pre_create_code = -1;
    record.scale_x = float(source.scale_x);
    record.scale_y = float(source.scale_y);
    record.image_speed = 1;
    record.colour = 0xFFFFFFFF;
    if (!source.assignments.empty() || !exits.empty()) {
        const std::string function =
            "psl_RoomCC_" + std::string(room.name) + "_" + std::to_string(record.id) + "_Create";
        package_.code.push_back({Keep(function), {}, 0, 0});
        record.creation_code = int32_t(package_.code.size() - 1);
        creation_codes_.push_back({function, source.assignments, std::move(exits)});
    }
    room.instances.push_back(record);
    package_.header.last_instance_id = record.id;
}

int32_t AssetFolder::RoomCreationCode(const std::string& name) {
    const auto [found, added] = room_creation_codes_.emplace(name, int32_t(package_.code.size()));
    if (added) package_.code.push_back({Keep("psl_Room_" + name + "_Create"), {}, 0, 0});
    return found->second;
}

void AssetFolder::ReadRooms(const AssetDocument& game) {
    const fs::path folder = folder_ / "rooms";
    const int screen_width = int(package_.header.window_width), screen_height = int(package_.header.window_height);
    std::vector<RoomSource> sources;
    for (const std::string& name : Ordered(game, "rooms", NamesIn(folder, ".room"), "room")) {
        sources.push_back(
            ReadRoom(AssetDocument::Load((folder / (name + ".room")).string()), name, screen_width, screen_height));
        package_.header.room_order.push_back(int32_t(package_.rooms.size()));
        PackageRoom record;
        record.name = Keep(name);
        package_.rooms.emplace_back(std::move(record));
    }
    auto screens_of = [&](const RoomSource& room) {
        return RoomScreens{room.width / screen_width, room.height / screen_height};
    };
    const ExitTargetLookup target = [&](const std::string& name, const SourceSpot& spot) {
        const int32_t index = IndexOf(package_.rooms, name, spot, "room");
        return ExitTarget{index, screens_of(sources[size_t(index)])};
    };
    // An unknown object has no parent here; placing it names it as unknown where it stands.
    const ParentOf parent = [&](const std::string& name) {
        for (const std::optional<PackageObject>& object : package_.objects)
            if (object->name == name && object->parent_index >= 0)
                return std::string(package_.objects[size_t(object->parent_index)]->name);
        return std::string();
    };
    std::vector<RoomCells> cells;
    for (const RoomSource& source : sources)
        cells.emplace_back(source, parent);
    const std::optional<PlayerBox> standing = PlayerStandingBox();
    for (size_t i = 0; i < sources.size(); ++i) {
        const RoomSource& source = sources[i];
        PackageRoom& room = *package_.rooms[i];
        room.width = uint32_t(source.width);
        room.height = uint32_t(source.height);
        room.speed = uint32_t(package_.header.game_speed);
        room.persistent = source.persistent;
        room.colour = source.colour;
        room.draw_colour = source.has_colour;
        // View 0 shows one screen; the game's camera moves it.
        room.views_enabled = true;
        room.views.push_back({1, 0, 0, screen_width, screen_height, 0, 0, screen_width, screen_height, 0, 0, -1, -1, -1});
        if (!source.creation.empty()) room.creation_code = RoomCreationCode(source.creation);
        for (const InstanceSource& instance : source.instances)
            AddInstance(room, instance);
        if (!source.exits.empty()) {
            const SourceSpot& spot = source.exits.front().spot;
            const auto records = ExitRecords(source, screens_of(source), target);
            if (standing)
                CheckExitArrivals(source, cells[i], records, [&](int index) -> const RoomCells& { return cells[size_t(index)]; },
                                  screen_width, screen_height, *standing);
            AddInstance(room, {"oExitControl", 0, 0, 1, 1, {}, spot}, records);
        }
        if (standing) CheckCheckpoints(source, cells[i], *standing);
    }
}

std::optional<PlayerBox> AssetFolder::PlayerStandingBox() const {
    for (const std::optional<PackageObject>& object : package_.objects) {
        if (object->name != "oChar") continue;
        const int32_t mask = object->mask_index >= 0 ? object->mask_index : object->sprite_index;
        if (mask < 0) return std::nullopt;
        const PackageSprite& sprite = *package_.sprites[size_t(mask)];
        // The sprite's box holds its edge pixels; the player's box ends past them.
        return PlayerBox{sprite.bbox_left - sprite.origin_x, sprite.bbox_top - sprite.origin_y,
                         sprite.bbox_right + 1 - sprite.origin_x, sprite.bbox_bottom + 1 - sprite.origin_y};
    }
    return std::nullopt;
}
