#include "RoomSource.h"

#include <array>
#include <optional>
#include <regex>

namespace {

struct LegendEntry {
    std::string object;
    bool stretch = false;
};

std::array<std::optional<LegendEntry>, 256> ReadLegend(const AssetEntry* legend) {
    std::array<std::optional<LegendEntry>, 256> entries{};
    if (!legend) return entries;
    legend->ExpectArgs(0, 0);
    static const std::regex kLine(R"((\S) +(\w+)( +stretch)?)");
    for (const AssetLine& line : legend->body) {
        std::smatch match;
        if (!std::regex_match(line.text, match, kLine))
            throw AssetError(line.spot, "a legend line is a character, an object and maybe \"stretch\"");
        const char c = line.text[0];
        if (c == '.') throw AssetError(line.spot, "'.' is the empty cell");
        if (entries[uint8_t(c)]) throw AssetError(line.spot, std::string("'") + c + "' is already in the legend");
        entries[uint8_t(c)] = LegendEntry{match[2], match[3].matched};
    }
    return entries;
}

// Cells of one character: stretched ones as rectangles grown right along the row, then down
// over rows that repeat the same run; the others one instance a cell.
void ReadMap(const AssetEntry& map, const std::array<std::optional<LegendEntry>, 256>& legend,
             RoomSource& room) {
    map.ExpectArgs(0, 0);
    const std::vector<AssetLine>& rows = map.body;
    std::vector<std::vector<bool>> used(rows.size());
    for (size_t y = 0; y < rows.size(); ++y) {
        if (int(rows[y].text.size()) * kCellSize > room.width || int(rows.size()) * kCellSize > room.height + kCellSize)
            throw AssetError(rows[y].spot, "the map is larger than the room");
        used[y].assign(rows[y].text.size(), false);
    }
    for (size_t y = 0; y < rows.size(); ++y) {
        const std::string& row = rows[y].text;
        for (size_t x = 0; x < row.size(); ++x) {
            const char c = row[x];
            if (c == '.' || used[y][x]) continue;
            const std::optional<LegendEntry>& entry = legend[uint8_t(c)];
            SourceSpot spot = rows[y].spot;
            spot.column += int(x);
            if (!entry) throw AssetError(spot, std::string("'") + c + "' is not in the legend");
            size_t width = 1, height = 1;
            if (entry->stretch) {
                while (x + width < row.size() && row[x + width] == c && !used[y][x + width])
                    ++width;
                auto same_run = [&](size_t below) {
                    const std::string& next = rows[below].text;
                    if (next.size() < x + width) return false;
                    for (size_t i = 0; i < width; ++i)
                        if (next[x + i] != c || used[below][x + i]) return false;
                    // The run must end where it ends above, or the rows differ in shape.
                    return x + width == next.size() || next[x + width] != c;
                };
                while (y + height < rows.size() && same_run(y + height))
                    ++height;
            }
            for (size_t j = 0; j < height; ++j)
                for (size_t i = 0; i < width; ++i)
                    used[y + j][x + i] = true;
            room.instances.push_back({entry->object, int(x) * kCellSize, int(y) * kCellSize, int(width),
                                      int(height), {}, spot});
        }
    }
}

InstanceSource ReadInstance(const AssetLine& line) {
    static const std::regex kHead(R"((\w+) +(-?\d+) +(-?\d+) *(.*))");
    static const std::regex kAssignment(R"((\w+) *= *(-?\d+(?:\.\d+)?|"(?:[^"\\]|\\.)*") *)");
    std::smatch head;
    if (!std::regex_match(line.text, head, kHead))
        throw AssetError(line.spot, "an instance is an object, x and y, then name = value pairs");
    InstanceSource instance{head[1], std::stoi(head[2]), std::stoi(head[3]), 1, 1, {}, line.spot};
    std::string rest = head[4];
    std::smatch assignment;
    while (!rest.empty()) {
        if (!std::regex_search(rest, assignment, kAssignment, std::regex_constants::match_continuous))
            throw AssetError(line.spot, "\"" + rest + "\" is not name = number or name = \"text\"");
        std::string value = assignment[2];
        const bool text = value[0] == '"';
        if (text) value = AssetDocument::Parse("v " + value, line.spot.file).Entries()[0].args[0];
        instance.assignments.push_back({assignment[1], value, text});
        rest = assignment.suffix();
    }
    return instance;
}

// Lines indented below an instance are its script, one line a line, separated as the game's
// speakers expect ("\r\n"). The first of them sets the block's indentation (`indent`, 0 until
// then); deeper lines keep what lies beyond it.
void AddScriptLine(InstanceSource& instance, const AssetLine& line, size_t& indent) {
    auto& assignments = instance.assignments;
    if (indent == 0) {
        for (const InstanceAssignment& assignment : assignments)
            if (assignment.name == "script") throw AssetError(line.spot, "the instance has a script already");
        assignments.push_back({"script", "", true});
        indent = line.text.find_first_not_of(' ');
    }
    if (line.text.find_first_not_of(' ') < indent)
        throw AssetError(line.spot, "a script line is indented less than the script's first");
    std::string& script = assignments.back().value;
    if (!script.empty()) script += "\r\n";
    script += line.text.substr(indent);
}

ExitSource ReadExit(const AssetLine& line) {
    static const std::regex kExit(
        R"((left|right|top|bottom) edge of screen (\d+) *, *(\d+) *(?:->|→) *(\w+) +(\d+) *, *(\d+))");
    std::smatch match;
    if (!std::regex_match(line.text, match, kExit))
        throw AssetError(line.spot, "an exit reads \"right edge of screen 5,1 -> rmPink 0,1\"");
    const std::string edge = match[1];
    ExitSource exit;
    exit.edge = edge == "left"    ? ExitSource::Edge::Left
                : edge == "right" ? ExitSource::Edge::Right
                : edge == "top"   ? ExitSource::Edge::Top
                                  : ExitSource::Edge::Bottom;
    exit.screen_column = std::stoi(match[2]);
    exit.screen_row = std::stoi(match[3]);
    exit.target_room = match[4];
    exit.target_column = std::stoi(match[5]);
    exit.target_row = std::stoi(match[6]);
    exit.spot = line.spot;
    return exit;
}

} // namespace

RoomSource ReadRoom(const AssetDocument& document, const std::string& name, int screen_width,
                    int screen_height) {
    document.ExpectKeys({"screens", "size", "colour", "persistent", "creation", "legend", "map", "instances", "exits"});
    RoomSource room;
    room.name = name;
    const AssetEntry* screens = document.Find("screens");
    const AssetEntry* size = document.Find("size");
    if (screens && size) size->Fail("a room has \"screens\" or \"size\", not both");
    if (!screens && !size) throw AssetError({document.File(), 1, 1}, "a room needs \"screens\" or \"size\"");
    const AssetEntry& dimensions = screens ? *screens : *size;
    dimensions.ExpectArgs(2, 2);
    dimensions.ExpectNoBody();
    const int unit_x = screens ? screen_width : 1, unit_y = screens ? screen_height : 1;
    if (dimensions.Int(0) <= 0 || dimensions.Int(1) <= 0) dimensions.Fail("a room needs a positive size");
    room.width = dimensions.Int(0) * unit_x;
    room.height = dimensions.Int(1) * unit_y;

    if (const AssetEntry* colour = document.Find("colour")) {
        colour->ExpectArgs(1, 1);
        const std::string& text = colour->args[0];
        if (text.size() != 7 || text[0] != '#' || text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
            colour->FailAt(0, "\"" + text + "\" is not a colour (#rrggbb)");
        const uint32_t rgb = uint32_t(std::stoul(text.substr(1), nullptr, 16));
        room.colour = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
        room.has_colour = true;
    }
    if (const AssetEntry* persistent = document.Find("persistent")) {
        persistent->ExpectArgs(0, 0);
        persistent->ExpectNoBody();
        room.persistent = true;
    }
    if (const AssetEntry* creation = document.Find("creation")) {
        creation->ExpectArgs(0, 1);
        creation->ExpectNoBody();
        room.creation = creation->args.empty() ? room.name : creation->args[0];
    }

    const auto legend = ReadLegend(document.Find("legend"));
    if (const AssetEntry* map = document.Find("map")) ReadMap(*map, legend, room);
    if (const AssetEntry* instances = document.Find("instances")) {
        instances->ExpectArgs(0, 0);
        size_t script_indent = 0;
        for (const AssetLine& line : instances->body) {
            if (line.text[0] != ' ') {
                room.instances.push_back(ReadInstance(line));
                script_indent = 0;
                continue;
            }
            // The first line sets the block's indentation, so an instance stands above.
            AddScriptLine(room.instances.back(), line, script_indent);
        }
    }
    if (const AssetEntry* exits = document.Find("exits")) {
        exits->ExpectArgs(0, 0);
        for (const AssetLine& line : exits->body)
            room.exits.push_back(ReadExit(line));
    }
    return room;
}
