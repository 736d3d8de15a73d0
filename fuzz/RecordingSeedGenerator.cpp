// Writes the recording reader's fuzz seeds into the folder given on the command line: a short
// run with keys, typed text, the mouse and seeds, and an empty one. Made at build time so the
// seeds always follow the format.
#include <cstdio>
#include <fstream>
#include <string>

#include "RecordingFuzzGame.h"

namespace {

bool Write(const std::string& path, RecordingEncoder& encoder) {
    encoder.End();
    std::ofstream out(path, std::ios::binary);
    out << encoder.Take();
    return bool(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: recording_seed_generator FOLDER\n");
        return 1;
    }
    const std::string folder = argv[1];

    RecordingEncoder play(RecordingFuzzGame());
    play.Seed(12345);
    InputFrame frame;
    for (int step = 0; step < 8; ++step) {
        frame.delta_time_us = 16'667 + step * 3;
        frame.keyboard.keys.held[39] = step > 2;
        frame.keyboard.keys.pressed[39] = step == 3;
        frame.keyboard.key = step > 2 ? 39 : 0;
        frame.keyboard.text = std::string(size_t(step), 'k');
        frame.mouse.position = {float(step * 10), 5.5f};
        frame.mouse.picture_width = 320;
        frame.mouse.picture_height = 180;
        frame.mouse.held[0] = step % 2;
        frame.mouse.wheel_down = step == 6;
        play.Step(frame);
        if (step == 4) play.Seed(uint32_t(step));
    }
    RecordingEncoder empty(RecordingFuzzGame());
    bool written = Write(folder + "/play.rec", play) && Write(folder + "/empty.rec", empty);
    if (!written) std::fprintf(stderr, "cannot write the seeds into %s\n", folder.c_str());
    return written ? 0 : 1;
}
