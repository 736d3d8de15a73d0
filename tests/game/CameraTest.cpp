// The camera and the flow between rooms.
#include <tuple>

#include "GameFixture.h"

namespace {

class CameraTest : public GameFixture {
protected:
    // How many maps, lists and grids exist.
    static std::tuple<size_t, size_t, size_t> LiveDataStructures() {
        return {DsMaps().LiveCount(), DsLists().LiveCount(), DsGrids().LiveCount()};
    }
};

// The camera shows the screen Mireth is on; what a room's instances hold (the tiler's layer map,
// the exit grid) goes with the room.
TEST_F(CameraTest, TheCameraShowsMirethsScreenAndRoomsLeaveNoDataStructuresBehind) {
    StartInAnEmptyRoom();
    const auto visit = [&](int32_t room) {
        Call(nullptr, nullptr, FN_room_goto, Value(room));
        RunFrames(3);
        ASSERT_EQ(Runner().current_room, room);
    };
    visit(rmSnow); // wider than a screen
    CInstance* player = FirstOf(oChar);
    // Where the camera stands once it has stepped with Mireth at (x, y).
    const auto at = [&](double x, double y) {
        Put(player, x, y);
        CInstance* camera = FirstOf(oCamera);
        event_perform(camera, camera, ev_step, ev_step_normal);
        return std::pair(Real(Call(nullptr, nullptr, FN_camera_get_view_x, Var(camera, SLOT_vc))),
                         Real(Call(nullptr, nullptr, FN_camera_get_view_y, Var(camera, SLOT_vc))));
    };
    EXPECT_EQ(at(650, 20), std::pair(640.0, 0.0));
    EXPECT_EQ(at(640, 20), std::pair(640.0, 0.0)); // a border belongs to the screen on its right
    EXPECT_EQ(at(639, 20), std::pair(320.0, 0.0));
    EXPECT_EQ(at(-5, 20), std::pair(320.0, 0.0)); // out of the room, it stays on the last screen
    EXPECT_EQ(at(650, -5), std::pair(320.0, 0.0)); // above the room too
    Put(player, 639, 20);

    visit(rmTemplate);
    const auto before = LiveDataStructures();
    for (int trip = 0; trip < 3; ++trip) {
        visit(rmSnow);
        visit(rmTemplate);
    }
    EXPECT_EQ(LiveDataStructures(), before);
}

// The rooms and the music chosen on the way are in the playthrough's digests; what plays is not.
TEST_F(CameraTest, EnterOnTheTitleStartsInTheSnowWhereMusicKeepsPlaying) {
    with_audio_ = true;
    Start(3);
    ASSERT_EQ(Runner().current_room, rmTitle);
    window_.PostKey(vk_enter, true);
    RunFrames(2);
    EXPECT_EQ(Runner().current_room, rmSnow);
    EXPECT_TRUE(Call(nullptr, nullptr, FN_audio_is_playing, Value(bgmSnow)));
    EXPECT_FALSE(Call(nullptr, nullptr, FN_audio_is_playing, Value(bgmTitle)));

    // Back into the same room: the tune goes on, not from its start.
    const double voices = Real(Builtin("audio_play_sound", Value(bgmSnow), Value(0), Value(0)));
    Builtin("audio_stop_sound", Value(voices));
    Call(nullptr, nullptr, FN_room_restart);
    RunFrames(2);
    EXPECT_TRUE(Call(nullptr, nullptr, FN_audio_is_playing, Value(bgmSnow)));
}

TEST_F(CameraTest, CtrlShiftKWipesTheSaveAndStartsAgain) {
    WriteSaveFile("save.fluffy", R"({"char_room":4,"char_max_hp":3,"gotA":1})");
    WriteSaveFile("presence.fluffy", "gotA\n");
    Start(3);
    EXPECT_EQ(GlobalNumber("char_max_hp"), 3);
    const auto wipe = [this] {
        for (int32_t key : {vk_control, vk_shift, int32_t('K')}) window_.PostKey(key, true);
        RunFrames(1);
        for (int32_t key : {vk_control, vk_shift, int32_t('K')}) window_.PostKey(key, false);
    };
    wipe();
    EXPECT_FALSE(SaveFileExists("save.fluffy"));
    EXPECT_FALSE(SaveFileExists("presence.fluffy"));
    EXPECT_EQ(GlobalNumber("gotA"), 0);
    RunFrames(6);
    EXPECT_EQ(Runner().current_room, rmTitle);
    EXPECT_EQ(GlobalNumber("char_max_hp"), 1);
    EXPECT_EQ(Count(oChar), 1);

    // Each new game's maps, lists and surfaces take the place of the last one's (the title makes
    // some of its own over its first frames).
    RunFrames(30);
    const auto after_one = LiveDataStructures();
    const size_t textures = null_graphics_.textures.size();
    wipe();
    RunFrames(36);
    EXPECT_EQ(LiveDataStructures(), after_one);
    EXPECT_EQ(null_graphics_.textures.size(), textures);
}

} // namespace
