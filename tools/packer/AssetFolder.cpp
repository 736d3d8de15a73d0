#include "AssetFolder.h"

#include <algorithm>
#include <set>

#include "CodeNames.h"
#include "ObjectSource.h"
#include "SpriteRecord.h"

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

AssetFolder::AssetFolder(const fs::path& folder, const std::set<std::string>& scripts) : folder_(folder) {
    const AssetDocument game = AssetDocument::Load((folder / "game.txt").string());
    game.ExpectKeys({"name", "window", "speed", "sprites", "objects"});
    ReadGame(game);
    Palette palette;
    palette.AddDocument(AssetDocument::Load((folder / "palette.txt").string()));
    ReadSprites(game, palette);
    ReadObjects(game);
    AddScripts(scripts);
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
