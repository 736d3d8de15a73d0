// One integer space names sound assets and voices; the number alone says which.
#pragma once

#include <cstdint>

constexpr int32_t kBufferSoundIdBase = 100000; // sounds made at run time from a buffer
constexpr int32_t kPlayQueueIdBase = 200000;
constexpr int32_t kStreamIdBase = 300000; // streams opened at run time
constexpr int32_t kVoiceIdBase = 400000;  // voice ids count up from one above this

inline bool IsVoiceId(int32_t id) {
    return id >= kVoiceIdBase;
}
