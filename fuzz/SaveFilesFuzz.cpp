// The game's own files on any bytes: the input, cut at its first two NUL bytes, becomes
// "save.fluffy", "options.fluffy" and "presence.fluffy" (a part that is not there is no file),
// and the game starts again on them, as after a wiped save, continues from the title and plays a few frames. Whatever the
// files hold, the game must go on without a script error, a crash, a hang or a leak.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "GameSession.h"

namespace {

constexpr const char* kFiles[] = {"save.fluffy", "options.fluffy", "presence.fluffy"};

// The game, loaded once for the whole run (a load per input would leave the fuzzer a few
// inputs a minute) and started again on each input's files. It ends before
// the runner's own statics go at exit, so the leak check sees the game's values freed.
class SaveFilesGame : public GameSession {
public:
    static SaveFilesGame& Get() {
        static SaveFilesGame* game = nullptr;
        if (!game) {
            game = new SaveFilesGame;
            std::atexit([] {
                game->End();
                delete game;
            });
        }
        return *game;
    }

    void Play(std::string_view input) {
        Saves().Drain();
        for (const auto& entry : std::filesystem::directory_iterator(save_.Path()))
            std::filesystem::remove_all(entry.path());
        for (const char* name : kFiles) {
            if (input.data() == nullptr) break;
            const size_t end = std::min(input.find('\0'), input.size());
            std::ofstream(save_.Path() + name, std::ios::binary) << input.substr(0, end);
            input = end < input.size() ? input.substr(end + 1) : std::string_view();
        }
        // A new game as a wiped save starts one: the persistent controllers go, then the first room.
        With(nullptr, nullptr, all, [](CInstance* instance, CInstance*) {
            if (BuiltinVar(instance, VAR_persistent)) Call(instance, instance, FN_instance_destroy);
        });
        Call(nullptr, nullptr, FN_room_goto, Value(rmInit));
        RunFrames(4);
        window_.PostKey(vk_enter, true);
        RunFrames(1);
        window_.PostKey(vk_enter, false);
        RunFrames(5);
        debug_output_.clear();
        error_output_.clear();
    }

private:
    SaveFilesGame() {
        Begin();
        const std::string error = Load();
        if (!error.empty()) {
            std::fprintf(stderr, "the game cannot start: %s\n", error.c_str());
            std::abort();
        }
    }
};

} // namespace

// The game loads before the first input, so its load is not timed as that input's run.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SaveFilesGame::Get();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RuntimeErrorCapture errors;
    SaveFilesGame::Get().Play(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!errors.Empty()) {
        std::fprintf(stderr, "a script error on these files: %s\n", errors.Messages().front().c_str());
        std::abort();
    }
    return 0;
}
