// Recorded play (listed in recordings/README.md), replayed without a display from the save each
// starts at (the "<name>.save" beside it); the replay must end where the run did. The bots of
// tools/recorder/ made them, and make them again (build/bin/make_recordings).
#include "GameFixture.h"
#include "Runner/ProcessRun.h"

namespace {

const std::string kRecordings = std::string(TEST_SOURCE_DIR) + "/game/recordings/";

class RecordedPlayTest : public GameFixture {
protected:
    // Each replay after the first in a game session of its own.
    CInstance* Replay(const std::string& name) {
        if (replayed_) Restart();
        replayed_ = true;
        playback_ = kRecordings + name;
        EXPECT_EQ(LoadAtRecordingStart(playback_), "");
        CInstance* player = FirstOf(oChar);
        for (int frame = 0; frame < 200000 && !RunnerReplay().Finished(); ++frame) RunFrames(1);
        EXPECT_TRUE(RunnerReplay().Finished()) << name;
        return FirstOf(oChar) ? FirstOf(oChar) : player;
    }
    static std::string Said() { return FirstOf(oTextbox) ? ValueText(Var(FirstOf(oTextbox), SLOT_text)) : "no box"; }
    bool replayed_ = false;
};

// What the short runs leave that their digests cannot see: the save file, Mireth's hearts, the
// words on screen and the room made again.
TEST_F(RecordedPlayTest, TheShortRunsLeaveTheSaveTheWordsAndTheRoomsTheirDigestsCannotShow) {
    Replay("jump_the_pit.rec"); // the next screen's checkpoint, saved
    EXPECT_NE(ReadSaveFile("save.fluffy").find("\"char_x\":360"), std::string::npos);

    // Out of the low passage at the snow's left edge, in the house's doorway, not in a wall, and shown.
    CInstance* player = Replay("tunnel_to_snow.rec");
    EXPECT_TRUE(Call(player, player, FN_place_free, BuiltinVar(player, VAR_x), BuiltinVar(player, VAR_y)));
    EXPECT_EQ(Real(Call(nullptr, nullptr, FN_camera_get_view_x, Var(FirstOf(oCamera), SLOT_vc))), 0);

    Replay("talk_and_answer.rec"); // the snow person's reply to the answer chosen
    ASSERT_NE(FirstOf(oSnowfolk), nullptr);
    EXPECT_EQ(Get(FirstOf(oSnowfolk), SLOT_answer), 0);
    EXPECT_EQ(Said(), "Snow! We'll be great friends.");

    Replay("house_friend.rec"); // Old Pim names the controls as they are bound
    EXPECT_EQ(Said(), "Jump with Up, Space or \\sConfigFaceButtons:2. Hold it to jump higher.");

    // Both presents open, granting ducking and a heart, and are gone from the room made again.
    player = Replay("open_presents.rec");
    EXPECT_EQ(GlobalNumber("can_duck"), 1);
    EXPECT_EQ(Get(player, SLOT_hp), 2);
    EXPECT_EQ(GlobalNumber("got200_152_rmTemplate"), 1);
    EXPECT_EQ(GlobalNumber("got288_152_rmTemplate"), 1);
    Call(nullptr, nullptr, FN_room_restart);
    RunFrames(2);
    EXPECT_EQ(FirstOf(oPresent), nullptr);
    EXPECT_NE(FirstOf(oSnowfolk), nullptr);
}

// The recordings replay in the game itself, windowless, as `-playback` runs them, each to the
// digests of its run (recordings/digests.txt): the room, every instance's place and the globals at
// the end and at every frame, so any change in how the game plays shows.
TEST_F(RecordedPlayTest, TheGameReplaysTheRecordingsToTheirDigests) {
    const std::string game = std::filesystem::path(SNOWTIDE_PACKAGE).parent_path().string() + "/snowtide";
    const std::vector<std::vector<std::string>> digests = TableRows(kRecordings + "digests.txt");
    EXPECT_EQ(digests.size(), 11u);
    for (const std::vector<std::string>& row : digests) {
        const std::string& name = row[0];
        const std::string& digest = row.at(1);
        const std::string folder = save_.Path() + name + "/";
        std::filesystem::create_directories(folder + "Snowtide");
        if (std::filesystem::exists(kRecordings + name + ".save"))
            std::filesystem::copy_file(kRecordings + name + ".save", folder + "Snowtide/save.fluffy");
        const ProcessRun run = Execute("XDG_DATA_HOME=" + folder + " " + game + " -nowindow -playback " + kRecordings +
                                       name + ".rec -digest");
        EXPECT_EQ(run.exit_code, 0) << run.output;
        EXPECT_NE(run.output.find(digest), std::string::npos) << name << ": " << run.output;
    }
}

TEST_F(RecordedPlayTest, ANewGameIsPlayedToTheCreditsWithEveryAbilityBeastAndPresentSaved) {
    Replay("playthrough.rec");
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

} // namespace
