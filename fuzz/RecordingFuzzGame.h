// The game the recording fuzz seeds are made for, so the reader gets past their header.
#pragma once

#include "IO/InputRecording.h"

inline RecordingIdentity RecordingFuzzGame() { return MakeRecordingIdentity("FuzzGame", 1, {}); }
