// The demo executable: the runner with the demo's handlers linked in. Without "-game" it runs
// the demo.win built beside it.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "DemoGame.h"
#include "Platform/ProcessInfo.h"
#include "Runner/RunnerMain.h"

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    std::string game_option = "-game";
    std::string package = ExecutableFolder() + "/demo.win";
    if (std::none_of(args.begin(), args.end(),
                     [](const char* a) { return a == std::string_view("-game"); })) {
        args.push_back(game_option.data());
        args.push_back(package.data());
    }
    return RunnerMain(int(args.size()), args.data(), DemoGameLink());
}
