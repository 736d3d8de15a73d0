#include "Code/FrameRecord.h"

FrameRecord* g_FrameChain = nullptr;
