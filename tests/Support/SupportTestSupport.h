// Shared pieces of the data-structure and file tests: the built-in call fixture, and
// throw-away folders that stand in for the save and program folders.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "BuiltinCallFixture.h"
#include "Code/RuntimeError.h"
#include "TempFolder.h"
#include "TestFiles.h"

