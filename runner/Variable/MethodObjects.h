// The method objects that reading a function's name as a global variable gives: one per
// function for the whole game, so that repeated reads neither allocate nor leak.
#pragma once

#include <cstdint>

class CScriptRef;

CScriptRef* MethodObjectFor(int32_t function_index);
// The end of a game.
void ReleaseMethodObjects();
