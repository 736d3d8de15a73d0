// The game's own files on any bytes: the input, cut at its first two NUL bytes, becomes
// "save.fluffy", "options.fluffy" and "presence.fluffy" (a part that is not there is no file),
// and the game starts again on them, as after a wiped save, continues from the title and plays a few frames. Whatever the
// files hold, the game must go on without a script error, a crash, a hang or a leak.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "FuzzGame.h"

namespace {

constexpr const char* kFiles[] = {"save.fluffy", "options.fluffy", "presence.fluffy"};

// The game, started again on each input's files.
class SaveFilesGame : public FuzzGame {
public:
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
        ForgetOutput();
    }
};

} // namespace

// The game loads before the first input, so its load is not timed as that input's run.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzGame::Get<SaveFilesGame>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RuntimeErrorCapture errors;
    FuzzGame::Get<SaveFilesGame>().Play(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!errors.Empty()) {
        std::fprintf(stderr, "a script error on these files: %s\n", errors.Messages().front().c_str());
        std::abort();
    }
    return 0;
}
