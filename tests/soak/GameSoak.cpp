// A long headless play of the game by a wandering bot, to find what only time shows: crashes,
// script errors, memory that grows, data structures, textures or instances left behind. The bot
// walks and jumps at random, ducks, runs into characters and hazards, pauses and changes the
// settings, dies now and then, warps to a lantern of another room and wipes the save to start
// over; when its keys have chosen Quit, the game starts again on an empty save folder. It prints
// its figures, each time on a fresh game after a wipe, at the start, the first minute and every
// ten minutes, then compares the last with the first; it exits with 1 when a script error was
// reported, anything lives that did not at the start, or resident memory grew by more than 1 MiB
// after the first minute.
//
//     build/bin/game_soak [minutes = 60] [seed = 1]        (scripts/soak runs it)
#include <chrono>
#include <malloc.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "GameSession.h"
#include "Variable/CellArrays.h"
#include "Variable/InstancePool.h"
#include "scripts/SpriteEffects.h"

namespace {

// What must not grow over a long play.
struct Live {
    size_t maps, lists, grids, textures, instances;
    bool operator==(const Live&) const = default;
};

long ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

class Soak : public GameSession {
public:
    explicit Soak(unsigned seed) : random_(seed) {}

    bool Start() {
        Begin();
        const std::string error = Load();
        if (!error.empty()) std::fprintf(stderr, "game_soak: %s\n", error.c_str());
        return error.empty();
    }

    // One stretch of play of a few seconds, chosen at random.
    void PlayScene() {
        debug_output_.clear(); // nothing here reads it, and an hour's worth is megabytes
        if (!Runner().running) return Relaunch(); // the bot chose Quit in the pause menu
        if (Runner().current_room == rmTitle) return Tap({vk_enter}, 2);
        switch (Pick(12)) {
        case 0: return Pause();
        case 1: return Die();
        case 2: return Warp();
        case 3:
            if (Pick(4) == 0) return Wipe();
            [[fallthrough]];
        default: return Wander();
        }
    }

    // What lives on a fresh game on the title, where every count is comparable with another's once
    // the cache of outlined pictures (whose size follows what was last drawn, up to a bound) is emptied.
    Live WipeAndCount() {
        if (!Runner().running) Relaunch();
        Wipe();
        ForgetOutlinedActors();
        return {DsMaps().LiveCount(), DsLists().LiveCount(), DsGrids().LiveCount(), null_graphics_.textures.size(),
                Instances().ActiveInstances().size()};
    }
    // Reported on a fresh game on the title, so that each report's memory compares with the others'
    // whatever room the play was in.
    Live Report(const char* when, double minutes, const std::vector<std::string>& errors) {
        const Live live = WipeAndCount();
        // What the allocator holds free but has not given back would move the figure by megabytes
        // from one report to the next: it is given back first, so that growth means memory kept.
        malloc_trim(0);
        resident_kb_ = ResidentKilobytes();
        // The pools keep the chunks of the most instances ever alive at once: resident memory may
        // follow that peak without anything being left behind.
        const auto pools_kb = static_cast<unsigned long long>((InstanceBytesReserved() + CellBytesReserved()) / 1024);
        std::printf("%s minute=%.1f frames=%llu rooms=%zu deaths=%d quits=%d errors=%zu rss_kb=%ld pools_kb=%llu "
                    "maps=%zu lists=%zu grids=%zu textures=%zu instances=%zu\n",
                    when, minutes, static_cast<unsigned long long>(frames_), rooms_.size(), deaths_, quits_, errors.size(),
                    resident_kb_, pools_kb, live.maps, live.lists, live.grids, live.textures, live.instances);
        std::fflush(stdout);
        return live;
    }
    long LastResidentKilobytes() const { return resident_kb_; }
    const std::string& ErrorText() const { return error_output_; }
    void Finish() { End(); }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    void Frames(int count) {
        for (int i = 0; i < count && Runner().running; ++i) {
            RunFrames(1);
            ++frames_;
            rooms_.insert(Runner().current_room);
            CInstance* player = FirstOf(oChar);
            const bool dead = player && bool(Value(Var(player, SLOT_dead)));
            deaths_ += dead && !was_dead_;
            was_dead_ = dead;
        }
    }
    // Keys held together for `hold` frames, then let go for one.
    void Tap(std::initializer_list<int32_t> keys, int hold = 1) {
        for (int32_t key : keys) window_.PostKey(key, true);
        Frames(hold);
        for (int32_t key : keys) window_.PostKey(key, false);
        Frames(1);
    }

    // The game started again after the bot's keys chose Quit, on an empty save folder: with the
    // options file a start takes another path (fewer lists live), and the figures would no longer
    // compare with the start's.
    void Relaunch() {
        ++quits_;
        End();
        save_.Empty();
        Start();
    }

    void Wipe() {
        Tap({vk_control, vk_shift, int32_t('K')});
        Frames(60);
    }

    // Runs one way or the other for up to five seconds, jumping, ducking and confirming at random
    // (which also reads whatever a character says).
    void Wander() {
        const int32_t way = Pick(2) ? vk_right : vk_left;
        const int length = 60 + Pick(240);
        window_.PostKey(way, true);
        for (int frame = 0; frame < length; frame += 10) {
            switch (Pick(8)) {
            case 0: Tap({vk_space}, 1 + Pick(20)); break;
            case 1: Tap({vk_down}, 1 + Pick(30)); break;
            case 2: Tap({vk_up}, 1 + Pick(5)); break;
            case 3: window_.PostKey(way, false), Frames(10), window_.PostKey(way, true); break;
            default: Frames(10); break;
            }
        }
        window_.PostKey(way, false);
        Frames(1);
    }
    // Opens the menu, changes a setting or two (saved at once), looks at the controls, closes it.
    void Pause() {
        Tap({vk_escape});
        for (int step = Pick(5); step > 0; --step) Tap({vk_down});
        Tap({Pick(2) ? vk_left : vk_right});
        Tap({Pick(2) ? vk_left : vk_right});
        Tap({vk_escape});
        Frames(10);
    }
    // The game's own death: the fall back to the last lantern.
    void Die() {
        if (CInstance* player = FirstOf(oChar)) CallScript(psl_Script_die, player, player);
        Frames(120);
    }
    // Another room, at one of its lanterns.
    void Warp() {
        constexpr int32_t kRooms[] = {rmHouse, rmSnow, rmPink, rmPurple, rmFinal};
        Builtin("room_goto", Value(kRooms[Pick(int(std::size(kRooms)))]));
        Frames(3);
        std::vector<CInstance*> lanterns;
        ForEachTargetOf(nullptr, nullptr, oCheckpoint, [&](CInstance* lantern) { lanterns.push_back(lantern); });
        CInstance* player = FirstOf(oChar);
        if (lanterns.empty() || !player) return;
        CInstance* lantern = lanterns[size_t(Pick(int(lanterns.size())))];
        SetBuiltinVar(player, VAR_x, BuiltinVar(lantern, VAR_x));
        SetBuiltinVar(player, VAR_y, BuiltinVar(lantern, VAR_y));
        Frames(30);
    }

    std::mt19937 random_;
    unsigned long long frames_ = 0;
    std::set<int32_t> rooms_;
    int deaths_ = 0;
    int quits_ = 0;
    bool was_dead_ = false;
    long resident_kb_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    const double minutes = argc > 1 ? std::atof(argv[1]) : 60;
    const unsigned seed = argc > 2 ? unsigned(std::atoi(argv[2])) : 1;
    RuntimeErrorCapture errors;
    Soak soak(seed);
    if (!soak.Start()) return 1;
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / 60; };
    const Live first = soak.Report("start", 0, errors.Messages());
    double next_report = 1;
    long first_minute_kb = 0;
    while (elapsed() < minutes) {
        soak.PlayScene();
        if (elapsed() >= next_report) {
            soak.Report("at", elapsed(), errors.Messages());
            if (next_report == 1) first_minute_kb = soak.LastResidentKilobytes();
            next_report = next_report < 10 ? 10 : next_report + 10;
        }
    }
    const Live last = soak.Report("end", elapsed(), errors.Messages());
    const long growth_kb = first_minute_kb > 0 ? soak.LastResidentKilobytes() - first_minute_kb : 0;
    if (first_minute_kb > 0) std::printf("resident memory since the first minute: %+ld KiB\n", growth_kb);
    for (size_t i = 0; i < errors.Messages().size() && i < 5; ++i) std::printf("error: %s\n", errors.Messages()[i].c_str());
    if (!soak.ErrorText().empty()) std::printf("error output:\n%s\n", soak.ErrorText().c_str());
    const bool grew = !(last == first);
    std::printf("after a wipe, first against last: maps %zu/%zu lists %zu/%zu grids %zu/%zu textures %zu/%zu "
                "instances %zu/%zu: %s\n",
                first.maps, last.maps, first.lists, last.lists, first.grids, last.grids, first.textures, last.textures,
                first.instances, last.instances, grew ? "GREW" : "the same");
    soak.Finish();
    constexpr long kMostGrowthKb = 1024;
    return grew || growth_kb > kMostGrowthKb || !errors.Messages().empty() || !soak.ErrorText().empty() ? 1 : 0;
}
