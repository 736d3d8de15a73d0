// The input recording reader on any bytes: a recording it accepts is then played to its end, so
// the fuzzer sees the checks and the step decoding together.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "RecordingFuzzGame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordingDecoder decoder;
    std::string error;
    if (!decoder.Open(std::string(reinterpret_cast<const char*>(data), size), RecordingFuzzGame(),
                      error))
        return 0;
    InputFrame frame;
    std::vector<uint32_t> seeds;
    while (decoder.NextStep(frame, seeds)) {
    }
    return 0;
}
