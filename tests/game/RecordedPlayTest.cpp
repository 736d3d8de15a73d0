// Recorded play (listed in recordings/README.md), replayed without a display from the save each
// starts at (the "<name>.save" beside it); the replay must end where the run did. The bots of the disabled test below made
// them; after a change to the game's physics, its beasts, the last fight or the rooms they play
// in, make them again with
// `build/bin/game_tests --gtest_also_run_disabled_tests --gtest_filter='*MakeRecordings*'`.
#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

#include "FightBots.h"
#include "FinalFightBot.h"
#include "ArenaPlanner.h"
#include "PlaythroughBot.h"
#include "GameFixture.h"
#include "Runner/ProcessRun.h"

namespace {

const std::string kRecordings = std::string(TEST_SOURCE_DIR) + "/game/recordings/";

struct Recording {
    const char* name;
    // The bot: called every frame with the player, the frame number and the steps it has noted
    // (-1 until then), it posts keys; false ends the recording.
    std::function<bool(NullWindow&, CInstance*, int, int (&noted)[2])> bot;
};

// Where a recording starts: the save beside it ("<name>.save"), or none, as a new player's.
std::string SaveOf(const Recording& recording) {
    const std::string name = recording.name;
    std::ifstream file(kRecordings + name.substr(0, name.rfind('.')) + ".save");
    return std::string(std::istreambuf_iterator<char>(file), {});
}


class RecordedPlayTest : public GameFixture {
protected:
    // Starts the game on the recording's save and runs until the saved room is reached.
    CInstance* StartInSavedRoom(const Recording& recording) {
        save_.Empty();
        if (const std::string save = SaveOf(recording); !save.empty()) WriteSaveFile("save.fluffy", save);
        Start();
        for (int frame = 0; frame < 10 && Runner().current_room <= rmGo; ++frame) RunFrames(1);
        return FirstOf(oChar);
    }
    CInstance* Replay(const Recording& recording) {
        playback_ = kRecordings + recording.name;
        CInstance* player = StartInSavedRoom(recording);
        for (int frame = 0; frame < 200000 && !RunnerReplay().Finished(); ++frame) RunFrames(1);
        EXPECT_TRUE(RunnerReplay().Finished()) << recording.name;
        return FirstOf(oChar) ? FirstOf(oChar) : player;
    }
};


const Recording kPitDeath{"pit_death.rec", [](NullWindow& window, CInstance* player, int frame,
                                                                   int (&noted)[2]) {
    int& dead_at = noted[0];
    if (frame == 0) window.PostKey(vk_right, true);
    if (dead_at < 0 && Value(Var(player, SLOT_dead))) dead_at = frame, window.PostKey(vk_right, false);
    return dead_at < 0 ? frame < 200 : frame < dead_at + 150;
}};

const Recording kJumpThePit{"jump_the_pit.rec", [](NullWindow& window, CInstance* player, int frame,
                                                                       int (&noted)[2]) {
    int& jumped_at = noted[0];
    if (frame == 0) window.PostKey(vk_right, true);
    if (jumped_at < 0 && Get(player, VAR_x) >= 196) jumped_at = frame, window.PostKey(vk_space, true);
    if (frame == jumped_at + 12) window.PostKey(vk_space, false);
    if (Get(player, VAR_x) >= 380) {
        window.PostKey(vk_right, false);
        return false;
    }
    return frame < 300;
}};

const Recording kTunnelToSnow{"tunnel_to_snow.rec", [](NullWindow& window, CInstance* player,
                                                                             int frame, int (&noted)[2]) {
    int& ducked_at = noted[0];
    int& jumped_at = noted[1];
    if (frame == 0) window.PostKey(vk_right, true);
    if (ducked_at < 0 && Get(player, VAR_x) >= 388) ducked_at = frame, window.PostKey(vk_down, true);
    if (frame == ducked_at + 2) window.PostKey(vk_down, false);
    if (jumped_at < 0 && Get(player, VAR_x) >= 490) jumped_at = frame, window.PostKey(vk_space, true);
    if (frame == jumped_at + 20) window.PostKey(vk_space, false);
    return Runner().current_room == rmTemplate && frame < 600;
}};


const Recording kTalkAndAnswer{"talk_and_answer.rec", [](NullWindow& window, CInstance* player,
                                                                           int frame, int (&noted)[2]) {
    int& answered_at = noted[0];
    if (frame == 0) window.PostKey(vk_right, true);
    if (frame > 0 && Get(player, VAR_x) >= 54) window.PostKey(vk_right, false);
    CInstance* box = FirstOf(oTextbox);
    const bool asking = box && Value(Var(box, SLOT_finished)) &&
                        Real(Call(box, box, FN_ds_list_size, Var(box, SLOT_questions))) > 0;
    if (answered_at < 0 && asking) answered_at = frame, window.PostKey(vk_right, true);
    if (answered_at >= 0 && frame == answered_at + 1) window.PostKey(vk_right, false);
    // On until the answer's reply has been typed out.
    return frame < 900 && !(box && ValueText(Var(box, SLOT_text)).starts_with("Snow!") && Value(Var(box, SLOT_finished)));
}};

const Recording kHouseFriend{"house_friend.rec",
                             [](NullWindow& window, CInstance* player, int frame, int (&)[2]) {
    if (frame == 0) window.PostKey(vk_right, true);
    if (frame > 0 && Get(player, VAR_x) >= 180) window.PostKey(vk_right, false);
    CInstance* box = FirstOf(oTextbox);
    return frame < 900 && !(box && ValueText(Var(box, SLOT_text)).starts_with("Jump") && Value(Var(box, SLOT_finished)));
}};

// A hop onto the present, then a jump over the spikes onto the heart present: each a take-off
// point and a point to let go of Right, so as to come down on top of it.
const Recording kOpenPresents{"open_presents.rec",
                              [](NullWindow& window, CInstance* player, int frame, int (&noted)[2]) {
    constexpr double kTakeOff[] = {182, 206}, kLetGo[] = {190, 272};
    const int hop = std::max(noted[0], 0); // 2 once both are done
    int& took_off = noted[1];
    const double x = Get(player, VAR_x);
    if (frame == 0) window.PostKey(vk_right, true);
    if (hop < 2) {
        if (took_off < 0 && x >= kTakeOff[hop]) took_off = frame, window.PostKey(vk_space, true);
        if (took_off >= 0 && frame == took_off + 14) window.PostKey(vk_space, false);
        if (took_off >= 0 && x >= kLetGo[hop]) window.PostKey(vk_right, false);
        if (took_off >= 0 && frame > took_off + 14 && Value(Var(player, SLOT_ong))) {
            noted[0] = hop + 1, took_off = -1;
            if (hop == 0) window.PostKey(vk_right, true);
        }
    }
    return frame < 600 && !(hop == 2 && !FirstOf(oTextbox));
}};

const Recording kBeatTheFlower{"beat_the_flower.rec", fight::FlowerBot()};

const Recording kBeatTheSlime{"beat_the_slime.rec", fight::SlimeBot()};
const Recording kBeatTheWiggler{"beat_the_wiggler.rec", fight::WigglerBot()};

// The last fight from the herald to a second of the credits, with every ability and heart the
// game gives (see FinalFightBot.h).
const Recording kFinalFight{
    "final_fight.rec",
    [](NullWindow& window, CInstance* player, int frame, int (&noted)[2]) {
        int& keys = noted[0];
        int& credits_at = noted[1];
        keys = std::max(keys, 0);
        if (credits_at < 0 && !FirstOf(oPresence) && !FirstOf(oFinalBoss)) credits_at = frame;
        if (credits_at < 0) final_fight::Play(window, player, keys);
        return frame < 6000 && (credits_at < 0 || frame < credits_at + 60);
    }};

// From an empty save folder: the title, a new game and the whole game as the playthrough bot plays
// it, to a second of the credits.
const Recording kPlaythrough{"playthrough.rec", playthrough::Bot()};

// Every recording, with the room it ends in.
const std::pair<const Recording*, int> kEvery[] = {
    {&kPitDeath, rmTemplate},    {&kJumpThePit, rmTemplate}, {&kTunnelToSnow, rmSnow},   {&kTalkAndAnswer, rmTemplate},
    {&kOpenPresents, rmTemplate}, {&kHouseFriend, rmHouse},  {&kBeatTheSlime, rmArena}, {&kBeatTheWiggler, rmArenaPink},
    {&kBeatTheFlower, rmArenaPurple}, {&kFinalFight, rmFinal}, {&kPlaythrough, rmFinal}};

TEST_F(RecordedPlayTest, AJumpClearsThePitAndTheNextScreensCheckpointIsSaved) {
    CInstance* player = Replay(kJumpThePit);
    EXPECT_EQ(Get(player, SLOT_dead), 0);
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
    ASSERT_NE(FirstOf(oSnowfolk), nullptr);
    EXPECT_EQ(Get(FirstOf(oSnowfolk), SLOT_answer), 0);
    ASSERT_NE(FirstOf(oTextbox), nullptr);
    EXPECT_EQ(ValueText(Var(FirstOf(oTextbox), SLOT_text)), "Snow! We'll be great friends.");
}

TEST_F(RecordedPlayTest, BothPresentsOpenGrantingDuckingAndAHeartAndAreGoneFromTheRoomMadeAgain) {
    CInstance* player = Replay(kOpenPresents);
    EXPECT_EQ(FirstOf(oPresent), nullptr);
    EXPECT_EQ(GlobalNumber("can_duck"), 1);
    EXPECT_EQ(GlobalNumber("char_max_hp"), 2);
    EXPECT_EQ(Get(player, SLOT_hp), 2);
    EXPECT_EQ(GlobalNumber("got200_152_rmTemplate"), 1);
    EXPECT_EQ(GlobalNumber("got288_152_rmTemplate"), 1);
    // The room made again holds neither.
    Call(nullptr, nullptr, FN_room_restart);
    RunFrames(2);
    EXPECT_EQ(FirstOf(oPresent), nullptr);
    EXPECT_NE(FirstOf(oSnowfolk), nullptr);
}

TEST_F(RecordedPlayTest, OldPimNamesTheControlsAsTheyAreBound) {
    Replay(kHouseFriend);
    ASSERT_NE(FirstOf(oTextbox), nullptr);
    EXPECT_EQ(ValueText(Var(FirstOf(oTextbox), SLOT_text)), "Jump with Up, Space or \\sConfigFaceButtons:2. Hold it to jump higher.");
}

// The recordings replay in the game itself, windowless, as `-playback` runs them.
TEST_F(RecordedPlayTest, TheGameReplaysTheRecordingsToTheSameRoom) {
    const std::string game = std::filesystem::path(SNOWTIDE_PACKAGE).parent_path().string() + "/snowtide";
    for (const auto& [recording, room] : kEvery) {
        const std::string folder = save_.Path() + recording->name + ".save/";
        std::filesystem::create_directories(folder + "Snowtide");
        if (const std::string save = SaveOf(*recording); !save.empty()) std::ofstream(folder + "Snowtide/save.fluffy") << save;
        const ProcessRun run = Execute("XDG_DATA_HOME=" + folder + " " + game + " -nowindow -playback " + kRecordings +
                                       recording->name + " -digest");
        EXPECT_EQ(run.exit_code, 0) << run.output;
        EXPECT_NE(run.output.find(" room " + std::to_string(room) + " "), std::string::npos) << recording->name << run.output;
    }
}

TEST_F(RecordedPlayTest, ANewGameIsPlayedToTheCreditsWithEveryAbilityBeastAndPresentSaved) {
    Replay(kPlaythrough);
    EXPECT_EQ(Runner().current_room, rmFinal);
    EXPECT_EQ(FirstOf(oFinalBoss), nullptr);
    EXPECT_EQ(FirstOf(oPresence), nullptr);
    const std::string save = ReadSaveFile("save.fluffy");
    for (const char* flag : {"megaslimey", "megawigglis", "megaflowerfluff", "finalboss", "can_duck", "hi", "fast"})
        EXPECT_NE(save.find("\"" + std::string(flag) + "\":1"), std::string::npos) << flag << " in " << save;
    // Every present the game showed was opened, in the game and in the save: the three worlds'
    // ability, heart and great presents.
    const Value presents = Global(SLOT_present_list);
    const int count = int(Real(Call(nullptr, nullptr, FN_ds_list_size, presents)));
    for (int i = 0; i < count; ++i) {
        const std::string key = ValueText(Call(nullptr, nullptr, FN_ds_list_find_value, presents, Value(i)));
        EXPECT_EQ(GlobalNumber(key.c_str()), 1) << key;
        EXPECT_NE(save.find("\"" + key + "\":1"), std::string::npos) << key << " in " << save;
    }
    EXPECT_EQ(count, 9);
    // The Presence, beaten, stays gone from its room made again.
    Call(nullptr, nullptr, FN_room_restart);
    RunFrames(2);
    EXPECT_EQ(FirstOf(oFinalBoss), nullptr);
    EXPECT_EQ(FirstOf(oPresence), nullptr);
}

// Makes the recordings again (see the top of this file).
TEST_F(RecordedPlayTest, DISABLED_MakeRecordings) {
    bool first = true;
    for (const auto& [recording, room] : kEvery) {
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
