// The runner's one random generator, shared by the random built-ins and by compiled code.
#pragma once

#include "Function/RandomGenerator.h"

RandomGenerator& RunnerRandom();
// Seeds from the runner clock; the new seed.
uint32_t RandomizeFromClock();
