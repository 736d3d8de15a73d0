// Inline text commands as a speech box runs them on its text; the text box and the tests share it.
#pragma once

#include "CodeTable.h"
#include "GameNames.h"

// Every "\" and "{" of the text run as inline commands; gives the text they leave.
Value RunInlineCommands(CInstance* self, CInstance* other, Value text);
