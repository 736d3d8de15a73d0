#include "ObjectSource.h"

#include <sstream>

#include "Code/EventNames.h"

namespace {

// A name and, for numbered events, the number that follows it.
ObjectEventSource ReadEvent(const AssetLine& line) {
    std::istringstream words(line.text);
    std::string name, argument, extra;
    words >> name >> argument >> extra;
    ObjectEventSource event;
    event.spot = line.spot;
    if (!extra.empty()) throw AssetError(line.spot, "an event is a name and at most one argument");
    auto number = [&](int32_t low, int32_t high) {
        std::istringstream digits(argument);
        int32_t n = 0;
        if (!(digits >> n) || !digits.eof() || n < low || n > high)
            throw AssetError(line.spot, "\"" + name + "\" needs a number from " + std::to_string(low) +
                                            " to " + std::to_string(high));
        return n;
    };
    if (name == "Collision") {
        if (argument.empty()) throw AssetError(line.spot, "\"Collision\" names the other object");
        event.type = 4;
        event.other = argument;
        return event;
    }
    for (const EventAlias& alias : EventAliases())
        if (name == alias.name) {
            event.type = alias.type;
            event.subtype = alias.subtype;
            if (alias.numbered) event.subtype += number(0, 15);
            else if (!argument.empty()) throw AssetError(line.spot, "\"" + name + "\" takes no number");
            return event;
        }
    for (int32_t type = 0; type < EVENT_TYPE_COUNT; ++type)
        if (name == EventTypeName(type)) {
            event.type = type;
            event.subtype = argument.empty() ? 0 : number(0, 255);
            return event;
        }
    throw AssetError(line.spot, "unknown event \"" + name + "\"");
}

void ReadName(const AssetDocument& document, std::string_view key, std::string& name, SourceSpot& spot) {
    if (const AssetEntry* entry = document.Find(key)) {
        entry->ExpectArgs(1, 1);
        entry->ExpectNoBody();
        name = entry->args[0];
        spot = entry->arg_spots[0];
    }
}

bool ReadFlag(const AssetDocument& document, std::string_view key) {
    const AssetEntry* entry = document.Find(key);
    if (!entry) return false;
    entry->ExpectArgs(0, 0);
    entry->ExpectNoBody();
    return true;
}

} // namespace

const std::vector<EventAlias>& EventAliases() {
    static const std::vector<EventAlias> kAliases = {
        {"BeginStep", 3, 1, false},    {"EndStep", 3, 2, false},      {"OutsideRoom", 7, 0, false},
        {"RoomStart", 7, 4, false},    {"RoomEnd", 7, 5, false},      {"AnimationEnd", 7, 7, false},
        {"User", 7, 10, true},         {"DrawGUI", 8, 64, false},     {"DrawBegin", 8, 72, false},
        {"DrawEnd", 8, 73, false},     {"DrawGUIBegin", 8, 74, false}, {"DrawGUIEnd", 8, 75, false},
        {"PreDraw", 8, 76, false},     {"PostDraw", 8, 77, false},
    };
    return kAliases;
}

ObjectSource ReadObject(const AssetDocument& document, const std::string& name) {
    document.ExpectKeys({"sprite", "mask", "parent", "depth", "solid", "persistent", "invisible", "events"});
    ObjectSource object;
    object.name = name;
    ReadName(document, "sprite", object.sprite, object.sprite_spot);
    ReadName(document, "mask", object.mask, object.mask_spot);
    ReadName(document, "parent", object.parent, object.parent_spot);
    if (const AssetEntry* depth = document.Find("depth")) {
        depth->ExpectArgs(1, 1);
        depth->ExpectNoBody();
        object.depth = depth->Int(0);
    }
    object.solid = ReadFlag(document, "solid");
    object.persistent = ReadFlag(document, "persistent");
    object.visible = !ReadFlag(document, "invisible");
    if (const AssetEntry* events = document.Find("events")) {
        events->ExpectArgs(0, 0);
        for (const AssetLine& line : events->body) {
            ObjectEventSource event = ReadEvent(line);
            for (const ObjectEventSource& earlier : object.events)
                if (earlier.type == event.type && earlier.subtype == event.subtype && earlier.other == event.other)
                    throw AssetError(line.spot, "this event is already listed at line " +
                                                    std::to_string(earlier.spot.line));
            object.events.push_back(std::move(event));
        }
    }
    return object;
}
