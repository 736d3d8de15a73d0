// Every playable room walked through by the reach model (RoomReach.h) with the player's motion
// read from the game itself; then small rooms made to fail.
#include <cmath>
#include <map>
#include <regex>
#include <set>

#include "GameFixture.h"
#include "ObjectSource.h"
#include "RoomReach.h"

namespace {

const std::string kAssets = std::string(TEST_SOURCE_DIR) + "/../assets/";
const std::string kMadeToFail = std::string(TEST_SOURCE_DIR) + "/game/data/reach_rooms/";

// In the order the game hands them out: a present is checked with the ones before its own.
const char* const kAbilityNames[] = {"can_duck", "hi", "fast"};

Abilities FirstAbilities(int count) {
    return {count > 0, count > 1, count > 2};
}

std::string ParentOfAsset(const std::string& object) {
    static std::map<std::string, std::string> parents;
    if (!parents.count(object))
        parents[object] = ReadObject(AssetDocument::Load(kAssets + "objects/" + object + ".object"), object).parent;
    return parents[object];
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

class RoomReachTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        StartInAnEmptyRoom();
        screen_width_ = int(Real(Global(SLOT_view_width)));
        screen_height_ = int(Real(Global(SLOT_view_height)));
        CInstance* player = FirstOf(oChar);
        ASSERT_NE(player, nullptr);
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
        CInstance* fast = Place(oChar, 0, 0);
        motion_.fast_run = run(fast);
        motion_.fast_run_gain = gain(fast);
    }

    static PlayerBox BoxWith(CInstance* player, int32_t mask) {
        SetBuiltinVar(player, VAR_mask_index, Value(mask));
        const double x = Get(player, VAR_x), y = Get(player, VAR_y);
        // The instance's box holds its edge pixels; the player's box ends past them.
        return {int(Get(player, VAR_bbox_left) - x), int(Get(player, VAR_bbox_top) - y),
                int(Get(player, VAR_bbox_right) + 1 - x), int(Get(player, VAR_bbox_bottom) + 1 - y)};
    }

    std::string ScreenOf(double x, double y) const {
        return "screen " + std::to_string(int(x) / screen_width_) + "," + std::to_string(int(y) / screen_height_);
    }

    // What keeps the room from being played through, one line a fault.
    std::vector<std::string> Problems(const RoomSource& room) const {
        const RoomCells cells(room, ParentOfAsset);
        std::vector<std::pair<double, double>> checkpoints;
        for (const InstanceSource& instance : room.instances)
            if (instance.object == "oCheckpoint") checkpoints.emplace_back(instance.x, instance.y);
        const Abilities every = FirstAbilities(3);
        if (checkpoints.empty()) {
            // A room not built yet has nowhere to stand and nothing to reach.
            if (RoomReach(cells, motion_, every).StandingPlaces().empty()) return {};
            return {room.name + ": no checkpoint to start from"};
        }
        const std::string entry = "the checkpoint at " + std::to_string(int(checkpoints[0].first)) + "," +
                                  std::to_string(int(checkpoints[0].second));
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
                problems.push_back(room.name + ": screen " + std::to_string(screen.first) + "," +
                                   std::to_string(screen.second) + " cannot be reached from " + entry + " (cell " +
                                   std::to_string(place.column) + "," + std::to_string(place.row) + " is somewhere to stand there)");

        RoomReach from_any(cells, motion_, every);
        from_any.Fill(checkpoints);
        for (const InstanceSource& instance : room.instances) {
            const bool checkpoint = instance.object == "oCheckpoint";
            if (!checkpoint && !IsPresent(instance.object)) continue;
            // A checkpoint's y is the feet; a present stands in the middle of its cell.
            const Cell cell{int(std::floor(instance.x / double(kCellSize))),
                            int(std::floor((instance.y - checkpoint) / double(kCellSize)))};
            const std::string what = room.name + ": the " + instance.object + " at " + std::to_string(instance.x) + "," +
                                     std::to_string(instance.y) + " (" + ScreenOf(instance.x, instance.y) + ", cell " +
                                     std::to_string(cell.column) + "," + std::to_string(cell.row) + ")";
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

    RoomSource Read(const std::string& folder, const std::string& name) const {
        return ReadRoom(AssetDocument::Load(folder + name + ".room"), name, screen_width_, screen_height_);
    }

    PlayerMotion motion_;
    int screen_width_ = 0, screen_height_ = 0;
};

TEST_F(RoomReachTest, EveryPlayableRoomCanBePlayedThrough) {
    EXPECT_NEAR(motion_.jump * motion_.jump / (2 * motion_.gravity), 50, 1e-9); // the plan's jump
    for (const std::string name : {"rmTemplate", "rmHouse", "rmSnow", "rmPink", "rmPurple"})
        for (const std::string& problem : Problems(Read(kAssets + "rooms/", name))) ADD_FAILURE() << problem;
}

// The rooms in game/data/reach_rooms/ say in their heads why they fail.
TEST_F(RoomReachTest, RoomsMadeToFailFailWhereTheyShould) {
    EXPECT_EQ(Problems(Read(kMadeToFail, "rmSteps")),
              (std::vector<std::string>{"rmSteps: the oPresent at 616,56 (screen 1,0, cell 38,3), which gives hi, "
                                        "cannot be reached from the checkpoint at 40,160 without it"}));
    EXPECT_EQ(Problems(Read(kMadeToFail, "rmFar")),
              (std::vector<std::string>{"rmFar: screen 1,0 cannot be reached from the checkpoint at 40,160 (cell 22,9 "
                                        "is somewhere to stand there)",
                                        "rmFar: the oPresent at 616,152 (screen 1,0, cell 38,9) cannot be reached "
                                        "from any checkpoint"}));
}

} // namespace
