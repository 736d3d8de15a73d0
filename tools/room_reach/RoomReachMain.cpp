// room_reach: whether the player can play through rooms, for level writers:
//     build/bin/room_reach rmSnow rmPink
// Each room is walked by the reach model (RoomReach.h) with the player's motion read from the game
// itself, played in process. A line is printed for each fault, naming the room, screen and cell;
// the exit code is 1 when there is one.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <regex>
#include <set>

#include "AssetDocument.h"
#include "GameSession.h"
#include "Object/InstanceLifecycle.h"
#include "ObjectSource.h"
#include "RoomReach.h"

namespace {

// In the order the game hands them out: a present is checked with the ones before its own.
const char* const kAbilityNames[] = {"can_duck", "hi", "fast"};

Abilities FirstAbilities(int count) {
    return {count > 0, count > 1, count > 2};
}

// The ability a present's script turns on ("!set global.hi, 1"): its place in kAbilityNames, or -1.
int AbilityOf(const InstanceSource& present) {
    static const std::regex kSet(R"(!set global\.(\w+) *, *(1|true)\b)");
    for (const InstanceAssignment& assignment : present.assignments) {
        if (assignment.name != "script") continue;
        for (std::sregex_iterator it(assignment.value.begin(), assignment.value.end(), kSet), end; it != end; ++it)
            for (int ability = 0; ability < 3; ++ability)
                if ((*it)[1] == kAbilityNames[ability]) return ability;
    }
    return -1;
}

bool IsPresent(const std::string& object) {
    return object == "oPresent" || object == "oHeartPresent" || object == "oMegaPresent";
}

// "x,y" in whole numbers, for places, screens and cells alike.
std::string Pair(double x, double y) {
    return std::to_string(int(x)) + "," + std::to_string(int(y));
}

class ReachCheck : public GameSession {
public:
    // The player's motion and the screen's size, as the game sets them up; "" or what went wrong.
    std::string Open() {
        Begin();
        if (std::string error = Load(); !error.empty()) return error;
        RunFrames(3); // to the title, where the game's globals are set
        screen_width_ = int(Real(Global(SLOT_view_width)));
        screen_height_ = int(Real(Global(SLOT_view_height)));
        CInstance* player = NewPlayer();
        // The walking top speed is the cap less a step's friction, and a step adds the
        // acceleration less the friction: the player's Walk.
        auto run = [](CInstance* p) { return Get(p, SLOT_spd) - Get(p, SLOT_fric); };
        auto gain = [](CInstance* p) { return Get(p, SLOT_acc) - Get(p, SLOT_fric); };
        motion_.gravity = Get(player, SLOT_grav);
        motion_.jump = Get(player, SLOT_jmp);
        motion_.high_jump = Get(player, SLOT_hjmp);
        motion_.duck_jump = Get(player, SLOT_djmp);
        motion_.run = run(player);
        motion_.run_gain = gain(player);
        motion_.standing = BoxWith(player, sMirethMask);
        motion_.ducking = BoxWith(player, sMirethDuck);
        Assign(Global(SLOT_fast), Value(1));
        CInstance* fast = NewPlayer();
        motion_.fast_run = run(fast);
        motion_.fast_run_gain = gain(fast);
        End();
        return "";
    }

    // What keeps the room in `folder` from being played through, one line a fault.
    std::vector<std::string> Problems(const std::string& folder, const std::string& name) const {
        const RoomSource room =
            ReadRoom(AssetDocument::Load(folder + "/" + name + ".room"), name, screen_width_, screen_height_);
        const RoomCells cells(room, ParentOf);
        std::vector<std::pair<double, double>> checkpoints;
        for (const InstanceSource& instance : room.instances)
            if (instance.object == "oCheckpoint") checkpoints.emplace_back(instance.x, instance.y);
        const Abilities every = FirstAbilities(3);
        if (checkpoints.empty()) {
            // A room not built yet has nowhere to stand and nothing to reach.
            if (RoomReach(cells, motion_, every).StandingPlaces().empty()) return {};
            return {name + ": no checkpoint to start from"};
        }
        const std::string entry = "the checkpoint at " + Pair(checkpoints[0].first, checkpoints[0].second);
        std::vector<std::string> problems;

        RoomReach from_entry(cells, motion_, every);
        from_entry.Fill({checkpoints[0]});
        std::map<std::pair<int, int>, Foothold> unreached; // a place of each screen, while none is reached
        std::set<std::pair<int, int>> reached;
        for (const Foothold& place : from_entry.StandingPlaces()) {
            const std::pair screen{(place.column * kCellSize + kCellSize / 2) / screen_width_,
                                   (place.row + 1) * kCellSize / screen_height_};
            if (from_entry.Reached(place)) reached.insert(screen);
            else unreached.emplace(screen, place);
        }
        for (const auto& [screen, place] : unreached)
            if (!reached.count(screen))
                problems.push_back(name + ": screen " + Pair(screen.first, screen.second) + " cannot be reached from " +
                                   entry + " (cell " + Pair(place.column, place.row) + " is somewhere to stand there)");

        RoomReach from_any(cells, motion_, every);
        from_any.Fill(checkpoints);
        for (const InstanceSource& instance : room.instances) {
            const bool checkpoint = instance.object == "oCheckpoint";
            if (!checkpoint && !IsPresent(instance.object)) continue;
            // A checkpoint's y is the feet; a present stands in the middle of its cell.
            const Cell cell{int(std::floor(instance.x / double(kCellSize))),
                            int(std::floor((instance.y - checkpoint) / double(kCellSize)))};
            const std::string what = name + ": the " + instance.object + " at " + Pair(instance.x, instance.y) +
                                     " (screen " + Pair(instance.x / screen_width_, instance.y / screen_height_) +
                                     ", cell " + Pair(cell.column, cell.row) + ")";
            if (!(checkpoint ? from_entry : from_any).Touched(cell)) {
                problems.push_back(what + " cannot be reached from " + (checkpoint ? entry : "any checkpoint"));
                continue;
            }
            const int ability = checkpoint ? -1 : AbilityOf(instance);
            if (ability < 0) continue;
            RoomReach before(cells, motion_, FirstAbilities(ability));
            before.Fill({checkpoints[0]});
            if (!before.Touched(cell))
                problems.push_back(what + ", which gives " + kAbilityNames[ability] + ", cannot be reached from " +
                                   entry + " without it");
        }
        return problems;
    }

private:
    // A player made as a room makes one, in an empty room: her Create sets her motion.
    CInstance* NewPlayer() {
        if (Runner().current_room != rmEmpty) {
            Call(nullptr, nullptr, FN_room_goto, Value(rmEmpty));
            RunFrames(1);
        }
        CInstance* player = AddInstance(*CurrentRoom(), LastInstanceId() + 1, oChar, 0, 0, 0);
        event_perform(player, player, ev_create, 0);
        return player;
    }

    static PlayerBox BoxWith(CInstance* player, int32_t mask) {
        SetBuiltinVar(player, VAR_mask_index, Value(mask));
        const double x = Get(player, VAR_x), y = Get(player, VAR_y);
        // The instance's box holds its edge pixels; the player's box ends past them.
        return {int(Get(player, VAR_bbox_left) - x), int(Get(player, VAR_bbox_top) - y),
                int(Get(player, VAR_bbox_right) + 1 - x), int(Get(player, VAR_bbox_bottom) + 1 - y)};
    }

    static std::string ParentOf(const std::string& object) {
        static std::map<std::string, std::string> parents;
        if (!parents.count(object))
            parents[object] =
                ReadObject(AssetDocument::Load(SNOWTIDE_ASSETS "/objects/" + object + ".object"), object).parent;
        return parents[object];
    }

    PlayerMotion motion_;
    int screen_width_ = 0, screen_height_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    std::string folder = SNOWTIDE_ASSETS "/rooms";
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--rooms") == 0) folder = argv[2], first = 3;
    if (first >= argc || argv[first][0] == '-') {
        std::fprintf(stderr, "usage: room_reach [--rooms FOLDER] ROOM...\n");
        return 2;
    }
    ReachCheck check;
    if (const std::string error = check.Open(); !error.empty()) {
        std::fprintf(stderr, "room_reach: %s\n", error.c_str());
        return 1;
    }
    int faults = 0;
    for (int i = first; i < argc; ++i) try {
            for (const std::string& problem : check.Problems(folder, argv[i])) {
                std::printf("%s\n", problem.c_str());
                ++faults;
            }
        } catch (const std::exception& error) {
            std::fprintf(stderr, "room_reach: %s\n", error.what());
            return 1;
        }
    return faults ? 1 : 0;
}
