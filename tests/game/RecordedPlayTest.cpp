// Recorded play, replayed without a display: each recording in tests/game/recordings (listed with
// what it shows in its README) starts from a save that puts Mireth at a checkpoint (of rmTemplate,
// the house, a test arena or the last room), and the replay must end where the run did.
//
// The recordings were made by the bots of the disabled test below, which play by watching the
// game as a player would; after a change to the game's physics, to its beasts, the last fight or
// the rooms they play in, make them again with
// `build/bin/game_tests --gtest_also_run_disabled_tests --gtest_filter='*MakeRecordings*'`.
#include <algorithm>
#include <functional>
#include <map>
#include <tuple>

#include "FinalFightBot.h"
#include "GameFixture.h"
#include "Runner/ProcessRun.h"

namespace {

const std::string kRecordings = std::string(TEST_SOURCE_DIR) + "/game/recordings/";

struct Recording {
    const char* name;
    std::string save; // where the run starts
    // The bot: called every frame with the player, the frame number and the steps it has noted
    // (-1 until then), it posts keys; false ends the recording.
    std::function<bool(NullWindow&, CInstance*, int, int (&noted)[2])> bot;
};


class RecordedPlayTest : public GameFixture {
protected:
    // Starts the game on the recording's save and runs until the saved room is reached.
    CInstance* StartInSavedRoom(const Recording& recording) {
        WriteSaveFile("save.fluffy", recording.save);
        Start();
        for (int frame = 0; frame < 10 && Runner().current_room <= rmGo; ++frame) RunFrames(1);
        return FirstOf(oChar);
    }
    CInstance* Replay(const Recording& recording) {
        playback_ = kRecordings + recording.name;
        CInstance* player = StartInSavedRoom(recording);
        for (int frame = 0; frame < 6000 && !RunnerReplay().Finished(); ++frame) RunFrames(1);
        EXPECT_TRUE(RunnerReplay().Finished()) << recording.name;
        return FirstOf(oChar) ? FirstOf(oChar) : player;
    }
};

double Get(CInstance* player, const VariablePair& variable) { return Real(BuiltinVar(player, variable)); }

// At an arena's lantern with the four hearts of a player who has found them all, and the
// abilities given as members of the save.
std::string InArena(int32_t room, const std::string& abilities) {
    return R"({"char_room":)" + std::to_string(room) + R"(,"char_x":24,"char_y":160,"char_max_hp":4,)" + abilities + "}";
}

// Holds a key from now on, or lets it go, once.
void Hold(NullWindow& window, int32_t key, bool down) { window.PostKey(key, down); }

const char* const kAtFirstCheckpoint = R"({"char_room":2,"char_x":40,"char_y":160,"can_duck":1})";
const char* const kAtSecondCheckpoint = R"({"char_room":2,"char_x":360,"char_y":160,"can_duck":1})";

const Recording kPitDeath{"pit_death.rec", kAtFirstCheckpoint, [](NullWindow& window, CInstance* player, int frame,
                                                                   int (&noted)[2]) {
    int& dead_at = noted[0];
    if (frame == 0) Hold(window, vk_right, true);
    if (dead_at < 0 && Value(Var(player, SLOT_dead))) dead_at = frame, Hold(window, vk_right, false);
    return dead_at < 0 ? frame < 200 : frame < dead_at + 150;
}};

const Recording kJumpThePit{"jump_the_pit.rec", kAtFirstCheckpoint, [](NullWindow& window, CInstance* player, int frame,
                                                                       int (&noted)[2]) {
    int& jumped_at = noted[0];
    if (frame == 0) Hold(window, vk_right, true);
    if (jumped_at < 0 && Get(player, VAR_x) >= 196) jumped_at = frame, Hold(window, vk_space, true);
    if (frame == jumped_at + 12) Hold(window, vk_space, false);
    if (Get(player, VAR_x) >= 380) {
        Hold(window, vk_right, false);
        return false;
    }
    return frame < 300;
}};

const Recording kTunnelToSnow{"tunnel_to_snow.rec", kAtSecondCheckpoint, [](NullWindow& window, CInstance* player,
                                                                             int frame, int (&noted)[2]) {
    int& ducked_at = noted[0];
    int& jumped_at = noted[1];
    if (frame == 0) Hold(window, vk_right, true);
    if (ducked_at < 0 && Get(player, VAR_x) >= 388) ducked_at = frame, Hold(window, vk_down, true);
    if (frame == ducked_at + 2) Hold(window, vk_down, false);
    if (jumped_at < 0 && Get(player, VAR_x) >= 490) jumped_at = frame, Hold(window, vk_space, true);
    if (frame == jumped_at + 20) Hold(window, vk_space, false);
    return Runner().current_room == rmTemplate && frame < 600;
}};

// The first instance of an object, or null.
CInstance* Find(int32_t object) {
    CInstance* found = nullptr;
    With(nullptr, nullptr, object, [&](CInstance* instance, CInstance*) { found = found ? found : instance; });
    return found;
}

const Recording kTalkAndAnswer{"talk_and_answer.rec", kAtFirstCheckpoint, [](NullWindow& window, CInstance* player,
                                                                           int frame, int (&noted)[2]) {
    int& answered_at = noted[0];
    if (frame == 0) Hold(window, vk_right, true);
    if (frame > 0 && Get(player, VAR_x) >= 54) Hold(window, vk_right, false);
    CInstance* box = Find(oTextbox);
    const bool asking = box && Value(Var(box, SLOT_finished)) &&
                        Real(Call(box, box, FN_ds_list_size, Var(box, SLOT_questions))) > 0;
    if (answered_at < 0 && asking) answered_at = frame, Hold(window, vk_right, true);
    if (answered_at >= 0 && frame == answered_at + 1) Hold(window, vk_right, false);
    // On until the answer's reply has been typed out.
    return frame < 900 && !(box && ValueText(Var(box, SLOT_text)).starts_with("Snow!") && Value(Var(box, SLOT_finished)));
}};

const Recording kHouseFriend{"house_friend.rec", R"({"char_room":3,"char_x":160,"char_y":160})",
                             [](NullWindow& window, CInstance* player, int frame, int (&)[2]) {
    if (frame == 0) Hold(window, vk_right, true);
    if (frame > 0 && Get(player, VAR_x) >= 180) Hold(window, vk_right, false);
    CInstance* box = Find(oTextbox);
    return frame < 900 && !(box && ValueText(Var(box, SLOT_text)).starts_with("Jump") && Value(Var(box, SLOT_finished)));
}};

// A hop onto the present, then a jump over the spikes onto the heart present: each a take-off
// point and a point to let go of Right, so as to come down on top of it.
const Recording kOpenPresents{"open_presents.rec", R"({"char_room":2,"char_x":40,"char_y":160})",
                              [](NullWindow& window, CInstance* player, int frame, int (&noted)[2]) {
    constexpr double kTakeOff[] = {182, 206}, kLetGo[] = {190, 272};
    const int hop = std::max(noted[0], 0); // 2 once both are done
    int& took_off = noted[1];
    const double x = Get(player, VAR_x);
    if (frame == 0) Hold(window, vk_right, true);
    if (hop < 2) {
        if (took_off < 0 && x >= kTakeOff[hop]) took_off = frame, Hold(window, vk_space, true);
        if (took_off >= 0 && frame == took_off + 14) Hold(window, vk_space, false);
        if (took_off >= 0 && x >= kLetGo[hop]) Hold(window, vk_right, false);
        if (took_off >= 0 && frame > took_off + 14 && Value(Var(player, SLOT_ong))) {
            noted[0] = hop + 1, took_off = -1;
            if (hop == 0) Hold(window, vk_right, true);
        }
    }
    return frame < 600 && !(hop == 2 && !Find(oTextbox));
}};

// The keys a fight bot holds, posted only when they change.
class Keys {
public:
    void Set(NullWindow& window, int32_t key, bool down) {
        bool& held = held_[key];
        if (held != down) window.PostKey(key, down);
        held = down;
    }
    bool Held(int32_t key) const { return held_.contains(key) && held_.at(key); }
    void Release(NullWindow& window) {
        for (auto& [key, held] : held_) Set(window, key, false);
    }
    // Right or Left held toward x while more than `slack` away.
    void Toward(NullWindow& window, double from, double x, double slack = 2) {
        Set(window, vk_right, x > from + slack);
        Set(window, vk_left, x < from - slack);
    }

private:
    std::map<int32_t, bool> held_;
};

// Steps until an actor at height y, moving up or down at vv under gravity grav, comes down to
// `ground`.
int StepsToFall(double y, double vv, double grav, double ground) {
    int steps = 0;
    for (; (vv < 0 || y < ground) && steps < 120; ++steps) vv += grav, y += vv;
    return steps;
}

// Whether a hop of Mireth's from the ground, with the jump held `hold` steps, comes down on the
// beast's top `lead` px before its middle: the beast runs on at its speed and, when in the air,
// falls under its gravity back to the floor it left.
bool HopLands(CInstance* player, CInstance* boss, int hold, double lead) {
    const double grav = Real(Var(player, SLOT_grav)), hv = Real(Var(boss, SLOT_hv));
    const double floor_top = Get(boss, VAR_bbox_top) - Get(boss, VAR_y) + Get(boss, VAR_ystart);
    const double boss_grav = Real(Var(boss, SLOT_grav));
    const double reach = (Get(boss, VAR_bbox_right) - Get(boss, VAR_bbox_left)) / 2 + 7;
    double bx = Get(boss, VAR_x), top = Get(boss, VAR_bbox_top), boss_vv = Real(Var(boss, SLOT_vv));
    // The take-off step moves her up at full speed; from the next, gravity, and the cut on release.
    double vv = -Real(Var(player, SLOT_jmp)), y = Get(player, VAR_y), peak = y;
    for (int step = 1; step < 120; ++step) {
        if (step > 1) vv += grav;
        if (step == hold + 1 && vv < 0) vv /= 2;
        y += vv, peak = std::min(peak, y);
        bx += hv;
        if (boss_vv != 0) {
            top += boss_vv, boss_vv += boss_grav;
            if (top >= floor_top) top = floor_top, boss_vv = 0;
        }
        const double short_of_her = (Get(player, VAR_x) - bx) * (hv > 0 ? 1 : -1);
        if (vv > 0 && y >= top) return peak < top - 2 && std::abs(short_of_her - lead) <= std::abs(hv);
        // Beside it, below its top: its side hits her.
        if (std::abs(short_of_her) < reach && y > top + 2) return false;
    }
    return false;
}

// Whether the beast, hopping toward Mireth, passes over her as she ducks: its bottom stays above
// a ducking head all the while they overlap.
bool PassesOverhead(CInstance* player, CInstance* boss) {
    const double hv = Real(Var(boss, SLOT_hv)), grav = Real(Var(boss, SLOT_grav)), px = Get(player, VAR_x);
    const double reach = (Get(boss, VAR_bbox_right) - Get(boss, VAR_bbox_left)) / 2 + 8;
    const double head = Get(player, VAR_y) - 13;
    double bx = Get(boss, VAR_x), bottom = Get(boss, VAR_bbox_bottom), vv = Real(Var(boss, SLOT_vv));
    if (vv == 0) return false;
    bool overlapped = false;
    for (int step = 0; step < 90; ++step, bx += hv, bottom += vv, vv += grav) {
        if (std::abs(bx - px) >= reach) {
            if (overlapped) return true;
            continue;
        }
        overlapped = true;
        if (bottom >= head) return false;
    }
    return false;
}

// A shot on its way to Mireth as she goes up or down from her place at vertical speed vv (she
// moves nowhere else): in how many steps it reaches her (-1 for none within a second), and where.
struct Threat {
    int steps = -1;
    double x = 0;
};
Threat ShotThreat(CInstance* player, double vv) {
    Threat threat;
    const double px = Get(player, VAR_x), grav = Real(Var(player, SLOT_grav));
    With(nullptr, nullptr, oProjectile, [&](CInstance* shot, CInstance*) {
        const double hv = Real(Var(shot, SLOT_hv)), shot_vv = Real(Var(shot, SLOT_vv));
        double middle = Get(player, VAR_y) - 11, fall = vv;
        for (int t = 0; t < 60 && (threat.steps < 0 || t < threat.steps); ++t) {
            const double x = Get(shot, VAR_x) + hv * t, y = Get(shot, VAR_y) + shot_vv * t;
            if (std::abs(x - px) < 14 && std::abs(y - middle) < 18) {
                threat = {t, x};
                break;
            }
            middle = std::min(middle + fall, 149.0), fall += grav;
        }
    });
    return threat;
}

// What every fight bot does: from an arena's lantern it walks into the trigger, fights the beast
// while the fight is on (`Play`), and ends the run a second after the beast is beaten.
class ArenaBot {
public:
    explicit ArenaBot(int32_t beast) : beast_(beast) {}
    virtual ~ArenaBot() = default;
    bool operator()(NullWindow& window, CInstance* player, int frame, int (&noted)[2]) {
        int& beaten_at = noted[0];
        if (frame == 0) keys_ = Keys();
        CInstance* boss = Find(beast_);
        if (!boss || !player) {
            if (beaten_at < 0) beaten_at = frame, keys_.Release(window);
            return frame < beaten_at + 60;
        }
        if (Value(Var(player, SLOT_dead))) {
            keys_.Release(window);
        } else if (!Value(Var(boss, SLOT_boss_active))) {
            keys_.Set(window, vk_space, false);
            keys_.Toward(window, Get(player, VAR_x), 100);
        } else {
            Play(window, player, boss);
        }
        return frame < 6000;
    }

protected:
    virtual void Play(NullWindow& window, CInstance* player, CInstance* boss) = 0;

    int32_t beast_;
    Keys keys_;
};

// A bot for a beast that runs to and fro along an arena's floor: it waits on the floor, out of the
// way of shots, and hops as the beast comes so as to come down on its top `lead` px before its
// middle, or ducks under it when it hops high over her.
class RunnerBot : public ArenaBot {
public:
    // Where Mireth waits while the beast is on the left or the right half of the floor.
    struct Waits {
        double beast_left, beast_right;
    };
    RunnerBot(int32_t beast, double lead, Waits waits) : ArenaBot(beast), lead_(lead), waits_(waits) {}

private:
    // The middle of the arenas' floor, and the stretch of it away from the walls where a landing
    // is sought.
    static constexpr double kMiddle = 184, kNearLeft = 96, kNearRight = 272;

    void Play(NullWindow& window, CInstance* player, CInstance* boss) override {
        const double px = Get(player, VAR_x), bx = Get(boss, VAR_x), top = Get(boss, VAR_bbox_top);
        const double hv = Real(Var(boss, SLOT_hv)), vv = Real(Var(player, SLOT_vv));
        // The great slime's vertical runs are up and down walls; the wiggler hops.
        const bool on_floor = Real(Var(boss, SLOT_vv)) == 0 || beast_ == oMegaWigglis;
        // Standing, and not in the step a jump has just left the ground.
        const bool grounded = bool(Value(Var(player, SLOT_ong))) && vv >= 0;
        const Threat threat = ShotThreat(player, grounded ? 0 : vv);
        double wait = bx > kMiddle ? waits_.beast_right : waits_.beast_left;
        if (threat.steps >= 0) wait = std::clamp(px + (px > threat.x ? 40 : -40), kNearLeft + 16, kNearRight - 16);
        if (grounded) {
            const double distance = std::abs(bx - px);
            const bool coming = on_floor && (bx - px) * hv < 0;
            const bool hopping = Real(Var(boss, SLOT_vv)) != 0;
            bool duck = PassesOverhead(player, boss);
            // The shortest hold whose hop comes down on the beast's top where it will be.
            hold_ = 0;
            for (int h = 1; coming && !duck && h <= 24 && !hold_; ++h)
                if (HopLands(player, boss, h, lead_)) hold_ = h;
            // Too close for a hop to meet it: under it if it is in the air, else a full jump over it.
            if (coming && !duck && !hold_ && distance < std::abs(hv) * 12) {
                if (hopping)
                    duck = true;
                else
                    hold_ = 24;
            }
            keys_.Set(window, vk_down, duck != bool(Value(Var(player, SLOT_duck))) && !keys_.Held(vk_down));
            keys_.Set(window, vk_space, hold_ > 0);
            // Nothing meets it yet: away from it, for time.
            const double away = px + (px > bx ? 40 : -40);
            keys_.Toward(window, px, !coming || distance >= 100 ? wait : hold_ || duck ? px : away, 4);
        } else {
            keys_.Set(window, vk_space, vv < 0 && --hold_ > 0);
            const double landing = bx + hv * StepsToFall(Get(player, VAR_y), vv, Real(Var(player, SLOT_grav)), top);
            const bool chase = on_floor && landing > kNearLeft && landing < kNearRight && (threat.steps < 0 || threat.steps > 20);
            keys_.Toward(window, px, chase ? landing : wait, 3);
        }
    }

    double lead_;
    Waits waits_;
    int hold_ = 0; // steps left of the jump's hold
};

// A bot for the great flower puff, which floats over its floors: it waits beside the beast, out of
// the way of the seeds, until they have broken a way up through every floor near it; it stands
// under that gap, jumps through it and comes down on the beast's head, and stays on it.
class FlowerBot : public ArenaBot {
public:
    FlowerBot() : ArenaBot(oMegaFlowerfluff) {}

private:
    // The middle of the open column nearest the beast that a rising Mireth would not brush its
    // side from, or 0 when every such column is floored.
    static double Gap(CInstance* boss) {
        const double bx = Get(boss, VAR_x), half = (Get(boss, VAR_bbox_right) - Get(boss, VAR_bbox_left)) / 2;
        std::map<double, bool> floored; // column's left edge -> a live floor in it
        With(nullptr, nullptr, oFlowerBossBlock, [&](CInstance* block, CInstance*) {
            floored[Get(block, VAR_x)] |= !Value(Var(block, SLOT_dead));
        });
        double best = 0;
        for (const auto& [left, closed] : floored) {
            const double middle = left + 8;
            if (closed || std::abs(middle - bx) < half + 10 || std::abs(middle - bx) > half + 72) continue;
            if (!best || std::abs(middle - bx) < std::abs(best - bx)) best = middle;
        }
        return best;
    }

    void Play(NullWindow& window, CInstance* player, CInstance* boss) override {
        const double px = Get(player, VAR_x), vv = Real(Var(player, SLOT_vv)), bx = Get(boss, VAR_x);
        const bool grounded = bool(Value(Var(player, SLOT_ong))) && vv >= 0;
        const Threat threat = ShotThreat(player, grounded ? 0 : vv);
        if (grounded) {
            climbing_ = false;
            const double gap = Gap(boss);
            double goal = gap ? gap : bx + (px < bx ? -56 : 56);
            if (threat.steps >= 0 && threat.steps < 20) goal = px + (px > threat.x ? 32 : -32);
            const bool under = gap && std::abs(px - gap) <= 1 && std::abs(Real(Var(player, SLOT_hv))) < 0.5;
            keys_.Set(window, vk_space, under);
            climbing_ = under;
            keys_.Toward(window, px, goal, 1);
        } else {
            keys_.Set(window, vk_space, vv < 0);
            // Through the floors, then over the beast's head.
            const bool above = Get(player, VAR_bbox_bottom) < Get(boss, VAR_bbox_bottom) + 8;
            keys_.Toward(window, px, climbing_ && above ? bx : px, 1);
        }
    }

    bool climbing_ = false; // jumped up through a gap
};

const Recording kBeatTheFlower{"beat_the_flower.rec", InArena(rmArenaPurple, R"("can_duck":1,"hi":1)"),
                               FlowerBot()};

// Across the floor from the slime; near the middle for the wiggler, where its hops from either wall
// pass high enough to duck under.
const Recording kBeatTheSlime{"beat_the_slime.rec", InArena(rmArena, R"("can_duck":1)"), RunnerBot(oMegaSlimey, 4, {240, 128})};
const Recording kBeatTheWiggler{"beat_the_wiggler.rec", InArena(rmArenaPink, R"("can_duck":1)"),
                                RunnerBot(oMegaWigglis, 6, {176, 192})};

// The last fight from the herald to a second of the credits, with every ability and heart the
// game gives (see FinalFightBot.h).
const Recording kFinalFight{
    "final_fight.rec",
    R"({"char_room":7,"char_x":160,"char_y":160,"char_max_hp":4,"can_duck":1,"hi":1,"fast":1,"megapresent":3,)"
    R"("megaslimey":1,"megawigglis":1,"megaflowerfluff":1})",
    [](NullWindow& window, CInstance* player, int frame, int (&noted)[2]) {
        int& keys = noted[0];
        int& credits_at = noted[1];
        keys = std::max(keys, 0);
        if (credits_at < 0 && !Find(oPresence) && !Find(oFinalBoss)) credits_at = frame;
        if (credits_at < 0) final_fight::Play(window, player, keys);
        return frame < 6000 && (credits_at < 0 || frame < credits_at + 60);
    }};

TEST_F(RecordedPlayTest, AJumpClearsThePitAndTheNextScreensCheckpointIsSaved) {
    CInstance* player = Replay(kJumpThePit);
    EXPECT_EQ(Real(Var(player, SLOT_dead)), 0);
    EXPECT_GE(Get(player, VAR_x), 380);
    EXPECT_EQ(GlobalNumber("char_x"), 360);
    EXPECT_NE(ReadSaveFile("save.fluffy").find("\"char_x\":360"), std::string::npos);
}

TEST_F(RecordedPlayTest, DuckingThroughTheLowPassageLeadsOutToTheSnowsFirstScreen) {
    CInstance* player = Replay(kTunnelToSnow);
    EXPECT_EQ(Runner().current_room, rmSnow);
    // In at the left edge of the first screen, standing in the house's doorway, not in a wall.
    EXPECT_LT(Get(player, VAR_x), 16);
    EXPECT_EQ(Get(player, VAR_y), 160);
    EXPECT_TRUE(Call(player, player, FN_place_free, BuiltinVar(player, VAR_x), BuiltinVar(player, VAR_y)));
    EXPECT_EQ(Real(Call(nullptr, nullptr, FN_camera_get_view_x, Var(FirstOf(oCamera), SLOT_vc))), 0);
}

TEST_F(RecordedPlayTest, TheSnowPersonAsksAndRepliesToTheAnswerChosen) {
    Replay(kTalkAndAnswer);
    CInstance* snowfolk = Find(oSnowfolk);
    ASSERT_NE(snowfolk, nullptr);
    EXPECT_EQ(Real(Var(snowfolk, SLOT_answer)), 0);
    ASSERT_NE(Find(oTextbox), nullptr);
    EXPECT_EQ(ValueText(Var(Find(oTextbox), SLOT_text)), "Snow! We'll be great friends.");
}

TEST_F(RecordedPlayTest, BothPresentsOpenGrantingDuckingAndAHeartAndAreGoneFromTheRoomMadeAgain) {
    CInstance* player = Replay(kOpenPresents);
    EXPECT_EQ(Find(oPresent), nullptr);
    EXPECT_EQ(GlobalNumber("can_duck"), 1);
    EXPECT_EQ(GlobalNumber("char_max_hp"), 2);
    EXPECT_EQ(Real(Var(player, SLOT_hp)), 2);
    EXPECT_EQ(GlobalNumber("got200_152_rmTemplate"), 1);
    EXPECT_EQ(GlobalNumber("got288_152_rmTemplate"), 1);
    // The room made again holds neither.
    Call(nullptr, nullptr, FN_room_restart);
    RunFrames(2);
    EXPECT_EQ(Find(oPresent), nullptr);
    EXPECT_NE(Find(oSnowfolk), nullptr);
}

TEST_F(RecordedPlayTest, OldPimNamesTheControlsAsTheyAreBound) {
    Replay(kHouseFriend);
    ASSERT_NE(Find(oTextbox), nullptr);
    EXPECT_EQ(ValueText(Var(Find(oTextbox), SLOT_text)), "Jump with Up, Space or \\sConfigFaceButtons:2. Hold it to jump higher.");
}

// Each beast is beaten in its arena, and the Presence outlasted to the credits: gone, its defeat
// saved, and gone (with its herald) from the room made again.
TEST_F(RecordedPlayTest, EveryFightIsWonAndItsWinIsSaved) {
    const std::tuple<const Recording*, int32_t, std::string> fights[] = {
        {&kBeatTheSlime, oMegaSlimey, "megaslimey"},
        {&kBeatTheWiggler, oMegaWigglis, "megawigglis"},
        {&kBeatTheFlower, oMegaFlowerfluff, "megaflowerfluff"},
        {&kFinalFight, oFinalBoss, "finalboss"}};
    for (const auto& [recording, beast, flag] : fights) {
        if (recording != &kBeatTheSlime) TearDown(), SetUp();
        EXPECT_EQ(Real(Var(Replay(*recording), SLOT_dead)), 0) << recording->name;
        EXPECT_EQ(Find(beast), nullptr) << recording->name;
        EXPECT_EQ(GlobalNumber(flag.c_str()), 1) << recording->name;
        EXPECT_NE(ReadSaveFile("save.fluffy").find("\"" + flag + "\":1"), std::string::npos) << recording->name;
        Call(nullptr, nullptr, FN_room_restart);
        RunFrames(2);
        EXPECT_EQ(Find(beast), nullptr) << recording->name;
        EXPECT_EQ(Find(oPresence), nullptr) << recording->name;
    }
}

// The recordings replay in the game itself, windowless, as `-playback` runs them.
TEST_F(RecordedPlayTest, TheGameReplaysTheRecordingsToTheSameRoom) {
    const std::string game = std::filesystem::path(SNOWTIDE_PACKAGE).parent_path().string() + "/snowtide";
    const std::pair<const Recording*, int> runs[] = {{&kPitDeath, rmTemplate},      {&kJumpThePit, rmTemplate},
                                                     {&kTunnelToSnow, rmSnow},      {&kTalkAndAnswer, rmTemplate},
                                                     {&kOpenPresents, rmTemplate},  {&kHouseFriend, rmHouse},
                                                     {&kBeatTheSlime, rmArena},     {&kBeatTheWiggler, rmArenaPink},
                                                     {&kBeatTheFlower, rmArenaPurple}, {&kFinalFight, rmFinal}};
    for (const auto& [recording, room] : runs) {
        const std::string folder = save_.Path() + recording->name + ".save/";
        std::filesystem::create_directories(folder + "Snowtide");
        std::ofstream(folder + "Snowtide/save.fluffy") << recording->save;
        const ProcessRun run = Execute("XDG_DATA_HOME=" + folder + " " + game + " -nowindow -playback " + kRecordings +
                                       recording->name + " -digest");
        EXPECT_EQ(run.exit_code, 0) << run.output;
        EXPECT_NE(run.output.find(" room " + std::to_string(room) + " "), std::string::npos) << recording->name << run.output;
    }
}

// Makes the recordings again (see the top of this file).
TEST_F(RecordedPlayTest, DISABLED_MakeRecordings) {
    bool first = true;
    for (const Recording* recording :
         {&kPitDeath, &kJumpThePit, &kTunnelToSnow, &kTalkAndAnswer, &kOpenPresents, &kHouseFriend, &kBeatTheSlime,
          &kBeatTheWiggler, &kBeatTheFlower, &kFinalFight}) {
        if (!first) SetUp(); // the test's own SetUp made the first session
        first = false;
        record_ = kRecordings + recording->name;
        CInstance* player = StartInSavedRoom(*recording);
        ASSERT_NE(player, nullptr);
        int noted[2] = {-1, -1};
        for (int frame = 0; recording->bot(window_, FirstOf(oChar), frame, noted); ++frame) RunFrames(1);
        RunFrames(1);
        TearDown();
        record_.clear();
    }
    SetUp(); // for the test's own TearDown
}

} // namespace
