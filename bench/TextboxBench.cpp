// The speech boxes' cost: laying out a 200-character box (inline commands, wrapping, measuring and
// placing), and whole frames of the test room with three boxes open, typing and then standing,
// headless on null graphics and audio. Prints microseconds. Run from build/bin (it loads data.win
// beside it): `bench_textbox [layouts] [frames]`.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FrameStats.h"
#include "Object/InstanceLifecycle.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

double Micros(SteadyClock::time_point begin) { return std::chrono::duration<double, std::micro>(SteadyClock::now() - begin).count(); }

class TemplateRun : public GameSession {
public:
    bool Start() {
        Begin();
        const std::string error = LoadSaved(R"({"char_room":2,"char_x":40,"char_y":160})", rmTemplate);
        if (!error.empty()) std::fprintf(stderr, "bench_textbox: %s\n", error.c_str());
        return error.empty() && Runner().current_room == rmTemplate;
    }
    // A box over (x, y) laid out with the text; the layout's time.
    static double LayOut(const std::string& text, double x, double y, bool keep = false) {
        CInstance* box = CreateInstance(float(x), float(y), 0, oTextbox);
        Assign(Var(box, SLOT_text), Value(text));
        const auto begin = SteadyClock::now();
        event_user(box, box, 1);
        const double micros = Micros(begin);
        if (!keep) Call(box, box, FN_instance_destroy);
        return micros;
    }
    using GameSession::End;
    using GameSession::RunFrames;
    using GameSession::TimedFrame;
};

} // namespace

int main(int argc, char** argv) {
    const int layouts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 600;
    TemplateRun run;
    if (!run.Start()) return 1;

    std::string text = "Mireth, the {color 16769484}presents{color 16777215} are scattered over the valley. ";
    while (text.size() < 200) text += "Look behind the hills and under the snow! ";
    text.resize(200);
    std::vector<double> micros;
    for (int i = 0; i < layouts; ++i) {
        micros.push_back(TemplateRun::LayOut(text, 160, 120));
        if (i % 100 == 99) run.RunFrames(1); // the destroyed boxes go
    }
    std::printf("textbox_layout chars=200 %s\n", TimeSummary(micros).c_str());

    std::vector<FrameCost> costs;
    for (int i = 0; i < 3; ++i) TemplateRun::LayOut(text.substr(0, 90), 60.0 + 100 * i, 150, true);
    for (int frame = 0; frame < frames; ++frame) costs.push_back(run.TimedFrame());
    std::printf("frame_three_boxes %s\n", FrameSummary(costs).c_str());
    run.End();
    return 0;
}
