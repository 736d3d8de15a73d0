// make_recordings: the recorded play that the game's tests replay (tests/game/recordings/README.md),
// made again by bots that play the game in process, watching it as a player would, each from the
// save beside its recording:
//     build/bin/make_recordings [FOLDER]        (default: the source tree's tests/game/recordings/)
// Run it after a change to the game's movement, its beasts, the last fight or the rooms they play
// in. Every recording is written anew, and differs from the old one in its seeds and its steps'
// times even where the play is the same.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "ArenaPlanner.h"
#include "FightBots.h"
#include "FinalFightBot.h"
#include "PlaythroughBot.h"

namespace {

struct Recording {
    const char* name;
    // Called every frame with the player, the frame number and the steps it has noted (-1 until
    // then), it posts keys; false ends the recording.
    std::function<bool(NullWindow&, CInstance*, int, int (&noted)[2])> bot;
};

const Recording kPitDeath{"pit_death.rec", [](NullWindow& window, CInstance* player, int frame, int (&noted)[2]) {
    int& dead_at = noted[0];
    if (frame == 0) window.PostKey(vk_right, true);
    if (dead_at < 0 && Value(Var(player, SLOT_dead))) dead_at = frame, window.PostKey(vk_right, false);
    return dead_at < 0 ? frame < 200 : frame < dead_at + 150;
}};

const Recording kJumpThePit{"jump_the_pit.rec", [](NullWindow& window, CInstance* player, int frame, int (&noted)[2]) {
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

const Recording kTunnelToSnow{"tunnel_to_snow.rec", [](NullWindow& window, CInstance* player, int frame,
                                                       int (&noted)[2]) {
    int& ducked_at = noted[0];
    int& jumped_at = noted[1];
    if (frame == 0) window.PostKey(vk_right, true);
    if (ducked_at < 0 && Get(player, VAR_x) >= 388) ducked_at = frame, window.PostKey(vk_down, true);
    if (frame == ducked_at + 2) window.PostKey(vk_down, false);
    if (jumped_at < 0 && Get(player, VAR_x) >= 490) jumped_at = frame, window.PostKey(vk_space, true);
    if (frame == jumped_at + 20) window.PostKey(vk_space, false);
    return Runner().current_room == rmTemplate && frame < 600;
}};

const Recording kTalkAndAnswer{"talk_and_answer.rec", [](NullWindow& window, CInstance* player, int frame,
                                                         int (&noted)[2]) {
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

const Recording kHouseFriend{"house_friend.rec", [](NullWindow& window, CInstance* player, int frame, int (&)[2]) {
    if (frame == 0) window.PostKey(vk_right, true);
    if (frame > 0 && Get(player, VAR_x) >= 180) window.PostKey(vk_right, false);
    CInstance* box = FirstOf(oTextbox);
    return frame < 900 && !(box && ValueText(Var(box, SLOT_text)).starts_with("Jump") && Value(Var(box, SLOT_finished)));
}};

// A hop onto the present, then a jump over the spikes onto the heart present: each a take-off
// point and a point to let go of Right, so as to come down on top of it.
const Recording kOpenPresents{"open_presents.rec", [](NullWindow& window, CInstance* player, int frame,
                                                      int (&noted)[2]) {
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

// The last fight from the herald to a second of the credits, with every ability and heart the
// game gives (see FinalFightBot.h).
const Recording kFinalFight{"final_fight.rec", [](NullWindow& window, CInstance* player, int frame, int (&noted)[2]) {
    int& keys = noted[0];
    int& credits_at = noted[1];
    keys = std::max(keys, 0);
    if (credits_at < 0 && !FirstOf(oPresence) && !FirstOf(oFinalBoss)) credits_at = frame;
    if (credits_at < 0) final_fight::Play(window, player, keys);
    return frame < 6000 && (credits_at < 0 || frame < credits_at + 60);
}};

const Recording kEvery[] = {kPitDeath,
                            kJumpThePit,
                            kTunnelToSnow,
                            kTalkAndAnswer,
                            kOpenPresents,
                            kHouseFriend,
                            {"beat_the_slime.rec", fight::SlimeBot()},
                            {"beat_the_wiggler.rec", fight::WigglerBot()},
                            {"beat_the_flower.rec", fight::FlowerBot()},
                            kFinalFight,
                            // From an empty save folder: the title, a new game and the whole game
                            // as the playthrough bot plays it, to a second of the credits.
                            {"playthrough.rec", playthrough::Bot()}};

class Recorder : public GameSession {
public:
    // Plays `recording` with its bot from the save beside `path`, recording to `path`; the frames
    // played, or -1 with `error` set.
    int Make(const Recording& recording, const std::string& path, std::string& error) {
        Begin();
        record_ = path;
        error = LoadAtRecordingStart(path);
        int frame = 0;
        if (error.empty() && !FirstOf(oChar)) error = "Mireth is not in the room it starts in";
        if (error.empty()) {
            int noted[2] = {-1, -1};
            for (Recording run = recording; run.bot(window_, FirstOf(oChar), frame, noted); ++frame) RunFrames(1);
            RunFrames(1);
        }
        End();
        return error.empty() ? frame + 1 : -1;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: make_recordings [FOLDER]\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path source = RECORDINGS_FOLDER, folder = argc > 1 ? fs::path(argv[1]) : source;
    std::error_code failed;
    fs::create_directories(folder, failed);
    if (failed) {
        std::fprintf(stderr, "make_recordings: cannot make %s: %s\n", folder.c_str(), failed.message().c_str());
        return 1;
    }
    if (playthrough::Route().empty()) {
        std::fprintf(stderr, "make_recordings: no route in %s\n", PLAYTHROUGH_ROUTE);
        return 1;
    }
    for (const Recording& recording : kEvery) {
        // The start goes beside the recording, so that the folder replays on its own.
        const fs::path path = folder / recording.name, save = fs::path(path).replace_extension(".save");
        const fs::path saved = (source / recording.name).replace_extension(".save");
        if (fs::exists(saved) && !fs::equivalent(folder, source, failed))
            fs::copy_file(saved, save, fs::copy_options::overwrite_existing);
        std::string error;
        const int frames = Recorder().Make(recording, path.string(), error);
        if (frames < 0) {
            std::fprintf(stderr, "make_recordings: %s: %s\n", recording.name, error.c_str());
            return 1;
        }
        std::printf("%s: %d frames\n", path.c_str(), frames);
    }
    return 0;
}
