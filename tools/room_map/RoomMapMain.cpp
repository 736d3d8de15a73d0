// room_map: every screen of one of the game's rooms in a single PNG, side by side as they join,
// with a two-pixel magenta rule between screens, for level writers:
//     build/bin/room_map rmSnow docs/maps/rmSnow.png
// It plays the game in process on its own package, drawn with OpenGL without a display. Mireth is
// held out of sight in the middle of each screen in turn, so that the camera shows that screen and
// whatever draws only on her screen (enemies, characters) draws there; the room is as it stands a
// few frames after it starts.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "GameSession.h"
#include "GlTestWindow.h"

namespace {

constexpr int kRule = 2;
constexpr uint8_t kRuleColour[] = {255, 0, 255, 255};

class RoomMap : public GameSession {
public:
    // The game in `room_name`, drawn on a window of one screen; "" or what went wrong.
    std::string Open(const std::string& room_name) {
        Begin();
        std::string error;
        if (!gl_.Open(320, 180, error)) return error;
        std::ofstream(save_.Path() + "options.fluffy") << R"({"scale":1})";
        if (!(error = Load(&gl_.Device())).empty()) return error;
        RunFrames(3); // to the title, where every asset is known
        int32_t room = 0;
        for (; room < 1000 && ValueText(Call(nullptr, nullptr, FN_room_get_name, Value(room))) != room_name; ++room) {
        }
        if (room == 1000) return "no room is named " + room_name;
        Call(nullptr, nullptr, FN_room_goto, Value(room));
        for (int frame = 0; frame < 10 && Runner().current_room != room; ++frame) RunFrames(1);
        player_ = FirstOf(oChar);
        if (Runner().current_room != room || !player_) return room_name + " is not a room Mireth can be in";
        RunFrames(5);
        return "";
    }

    RgbaImage Draw() {
        const int width = int(Real(Global(SLOT_view_width))), height = int(Real(Global(SLOT_view_height)));
        const int columns = int(Real(BuiltinVar(player_, VAR_room_width))) / width;
        const int rows = int(Real(BuiltinVar(player_, VAR_room_height))) / height;
        RgbaImage map{columns * (width + kRule) - kRule, rows * (height + kRule) - kRule, {}};
        map.pixels.resize(size_t(map.width) * size_t(map.height) * 4);
        for (size_t at = 0; at < map.pixels.size(); at += 4) std::copy(kRuleColour, kRuleColour + 4, &map.pixels[at]);
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column) {
                const RgbaImage screen = Screen(column * width + width / 2, row * height + height / 2);
                for (int y = 0; y < std::min(height, screen.height); ++y)
                    std::copy_n(&screen.pixels[size_t(y * screen.width) * 4], size_t(std::min(width, screen.width)) * 4,
                                &map.pixels[(size_t(row * (height + kRule) + y) * size_t(map.width) +
                                             size_t(column * (width + kRule))) * 4]);
            }
        return map;
    }
    using GameSession::End;

private:
    RgbaImage Screen(double x, double y) {
        SetBuiltinVar(player_, VAR_x, Value(x));
        SetBuiltinVar(player_, VAR_y, Value(y));
        SetBuiltinVar(player_, VAR_visible, Value(0));
        Assign(Var(player_, SLOT_pause), Value(1));
        RunFrames(1); // the camera finds her screen
        loop_->CaptureNextFrame();
        RunFrames(1);
        return loop_->CapturedFrame();
    }

    GlTestWindow gl_;
    CInstance* player_ = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: room_map ROOM OUT.png\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    RoomMap map;
    std::string error = map.Open(argv[1]);
    RgbaImage picture;
    if (error.empty()) picture = map.Draw();
    map.End();
    if (error.empty() && !WritePng(argv[2], picture, error)) error = "cannot write " + std::string(argv[2]) + ": " + error;
    if (!error.empty()) {
        std::fprintf(stderr, "room_map: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
