// The demo's compiled game as the runner links it: its code table (in the order of the
// package's code entries), the variables and built-ins its code names, its variable counts.
#pragma once

#include "Package/GameLink.h"

const GameLink& DemoGameLink();
