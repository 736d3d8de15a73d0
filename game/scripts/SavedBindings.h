// Whether an options file's bindings are all of a kind the game saves, with numbers for their
// inputs and axes: a file with any other is kept aside rather than read in part.
#pragma once

#include "CodeTable.h"

bool SavedBindingsFit(CInstance* self, CInstance* other, const RValue& map);
