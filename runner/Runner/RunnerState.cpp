#include "Runner/RunnerState.h"

RunnerState& Runner() {
    static RunnerState state;
    return state;
}
