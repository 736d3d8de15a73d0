// Fuzzes the runner's package loading from start to end: both passes over any bytes, against
// the sample game's code table (which the seeds match, so mutations reach past the code check
// into variables, functions, textures and instance code). Any crash, sanitizer report or leak
// fails; a refusal is the expected outcome for most inputs.
#include "Base/OutputChannel.h"
#include "Package/GameLink.h"
#include "Package/PackageLoader.h"
#include "Runner/BuiltinWiring.h"
#include "SamplePackage.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Lives for the whole run: the linked game points into it.
    static SamplePackage* const game = [] {
        auto* sample = new SamplePackage();
        LinkGame(sample->Link());
        return sample;
    }();
    static std::string output;
    (void)game;
    output.clear();
    DebugOutput().CaptureTo(&output);
    ErrorOutput().CaptureTo(&output);

    PackageLoader loader(RegisterBuiltinFunctions);
    if (loader.Open(std::vector<uint8_t>(data, data + size), "fuzz.win") && loader.ReadHeader())
        loader.LoadGameData();
    return 0;
}
